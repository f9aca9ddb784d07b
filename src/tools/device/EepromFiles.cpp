#include "device/EepromFiles.h"

#include <cstdio>
#include <functional>

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"
#include "text/TextFile.h"
#include "device/ItemWord.h"

namespace quelda {
namespace {

constexpr std::size_t kItemFields = 8;
constexpr std::size_t kLinesRead = 1025;  // the header and 32 pages of 32
constexpr uint32_t kItemsPerPage = 32;

// Calls visit(line index, item number from 1, fields) for every parameter
// line the program would load from these lines.
void ForEachItem(
    const std::vector<std::string>& lines,
    const std::function<void(std::size_t, std::size_t, std::vector<std::string>&)>& visit) {
    std::size_t item = 0;  // 0 until the header line has been seen
    bool header = false;
    for (std::size_t i = 0; i < lines.size() && i < kLinesRead; ++i) {
        std::vector<std::string> fields = SplitComma(lines[i], kItemFields);
        if (fields[0].empty() || fields[0].compare(0, 2, "//") == 0) continue;
        if (!header) {
            header = true;
            continue;
        }
        visit(i, ++item, fields);
    }
}

std::string JoinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) line += ',';
        line += fields[i];
    }
    return line;
}

std::string HexText(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", word);
    return text;
}

}  // namespace

bool LoadPageLines(const std::string& path, std::vector<CMemoryImage::PageLine>& table) {
    table.clear();
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return false;
    for (const std::string& line : lines) {
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        const std::vector<std::string> fields = SplitComma(line, 3);
        table.push_back({ScanHex32(fields[1]), ScanHex32(fields[2])});
    }
    return true;
}

void LoadEepromImage(const std::string& tablePath, const std::string& dataPath, uint32_t size,
                     CMemoryImage& image, std::vector<std::string>& problems) {
    std::vector<CMemoryImage::PageLine> table;
    if (!LoadPageLines(tablePath, table)) problems.push_back(tablePath + ": cannot be read");
    image.SetTable(table, size);
    std::vector<std::string> lines;
    if (!dataPath.empty() && !ReadLines(dataPath, lines)) {
        problems.push_back(dataPath + ": cannot be read");
    }
    std::size_t unplaced = 0;
    ForEachItem(lines, [&](std::size_t line, std::size_t item, std::vector<std::string>& fields) {
        uint32_t word = 0;
        if (!WordOfItem(fields, word)) {
            problems.push_back(dataPath + ":" + std::to_string(line + 1) +
                               ": no hexValue and no known type; stored as 0");
        }
        const std::size_t page = (item - 1) / kItemsPerPage + 1;
        const uint32_t k = static_cast<uint32_t>((item - 1) % kItemsPerPage);
        if (!image.StoreItem(page, k, word)) ++unplaced;
    });
    if (unplaced != 0) {
        problems.push_back(dataPath + ": " + std::to_string(unplaced) +
                           " parameters lie on pages the page table does not name");
    }
    image.Seal();
}

bool SaveEepromImage(const CMemoryImage& image, CMemoryImage::Access access,
                     const std::string& dataPath, std::string& error) {
    std::vector<std::string> lines;
    if (!ReadLines(dataPath, lines)) {
        error = dataPath + ": cannot be read";
        return false;
    }
    ForEachItem(lines, [&](std::size_t line, std::size_t item, std::vector<std::string>& fields) {
        const std::size_t page = (item - 1) / kItemsPerPage + 1;
        const uint32_t k = static_cast<uint32_t>((item - 1) % kItemsPerPage);
        uint32_t word = 0;
        if (!image.LoadItem(access, page, k, word)) return;
        ShownValueOfWord(fields, word, fields[5]);
        fields[6] = HexText(word);
        lines[line] = JoinFields(fields);
    });
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    if (!WriteFileAtomic(dataPath, content)) {
        error = dataPath + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace quelda
