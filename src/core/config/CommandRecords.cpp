#include "config/CommandRecords.h"

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"
#include "text/TextFile.h"

namespace quelda {

namespace {

constexpr std::size_t kRecordFields = 9;
constexpr std::size_t kDefFields = 6;

CommandRecord ParseRecord(const std::string& line) {
    std::vector<std::string> f = SplitComma(line, kRecordFields);
    CommandRecord r;
    r.title = f[0];
    r.command = f[1];
    for (int i = 0; i < 5; ++i) r.params[i] = f[2 + i];
    r.ackCheck = LenientAtoi(f[7]);
    r.addChecksum = LenientAtoi(f[8]);
    return r;
}

// A "," or a line end inside a field would shift or split the record when the
// file is read again, so they are dropped.
std::string FieldText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ',' && c != '\r' && c != '\n') out += c;
    }
    return out;
}

}  // namespace

std::vector<CommandRecord> LoadCommandRecords(const std::string& appDir) {
    std::vector<CommandRecord> records;
    std::vector<std::string> lines;
    if (!ReadLines(appDir + "COMMAND2.TXT", lines)) return records;
    // Every line is a record, empty ones too: a record's index is its line.
    for (std::size_t i = 0; i < lines.size() && i < kMaxCommandRecords; ++i) {
        records.push_back(ParseRecord(lines[i]));
    }
    return records;
}

bool SaveCommandRecords(const std::string& appDir, const std::vector<CommandRecord>& records) {
    std::string content;
    for (std::size_t i = 0; i < records.size() && i < kMaxCommandRecords; ++i) {
        const CommandRecord& r = records[i];
        content += FieldText(r.title) + "," + FieldText(r.command);
        for (const std::string& p : r.params) content += "," + FieldText(p);
        content += "," + std::to_string(r.ackCheck) + "," + std::to_string(r.addChecksum) + "\r\n";
    }
    return WriteFileAtomic(appDir + "COMMAND2.TXT", content);
}

std::vector<CommandDef> LoadCommandDefs(const std::string& appDir) {
    std::vector<CommandDef> defs;
    std::vector<std::string> lines;
    if (!ReadLines(appDir + "CMDDEF.TXT", lines)) return defs;
    defs.reserve(lines.size());
    for (const std::string& line : lines) {
        std::vector<std::string> f = SplitComma(line, kDefFields);
        CommandDef d;
        d.name = f[0];
        for (int i = 0; i < 5; ++i) d.labels[i] = f[1 + i];
        defs.push_back(std::move(d));
    }
    return defs;
}

std::string BuildButtonCommandText(const CommandRecord& record) {
    std::string text = record.command;
    for (const std::string& p : record.params) {
        if (p.empty()) break;
        text += "," + p;
    }
    if (record.addChecksum == 1) text += "*";
    return text;
}

std::string RecordCommand(const std::vector<CommandRecord>& records, int index) {
    if (index < 0 || index >= static_cast<int>(records.size())) return {};
    return records[static_cast<std::size_t>(index)].command;
}

std::vector<std::string> LabelsForCommand(const std::vector<CommandDef>& defs,
                                          const std::string& command) {
    for (const CommandDef& d : defs) {
        if (d.name == command) return {std::begin(d.labels), std::end(d.labels)};
    }
    return std::vector<std::string>(5);
}

}  // namespace quelda
