#include "term/CTermStampLog.h"

#include <cstdio>

#include "term/TermText.h"
#include "text/FileNames.h"
#include "text/TextFile.h"

namespace quelda {

char KindLetter(int kind) {
    switch (kind) {
        case kLineSent:
            return 'S';
        case kLineReceived:
            return 'R';
        default:
            return 'E';
    }
}

std::string StampLogRecord(const TermLine& line) {
    std::string text = line.text.substr(0, BodyLength(line.text));
    if (!line.block.empty()) text += " " + HexBytes(line.block);
    std::string record = FormatClock(line.timeMs) + "\t" + KindLetter(line.kind) + "\t";
    for (char c : text) {
        switch (c) {
            case '\r':
                record += "\\r";
                break;
            case '\n':
                record += "\\n";
                break;
            case '\t':
                record += "\\t";
                break;
            case '\\':
                record += "\\\\";
                break;
            default:
                record.push_back(c);
        }
    }
    record.push_back('\n');
    return record;
}

std::string ProposeStampLogName(const std::string& dir) {
    return NextNumberedFileName(dir + TodayYYMMDD() + "T", "LOG");
}

void CTermStampLog::SetFile(const std::string& fileName) {
    if (Active()) Flush();
    m_strFile = fileName;
    m_pending.clear();
}

void CTermStampLog::Add(const TermLine& line) {
    if (Active()) m_pending += StampLogRecord(line);
}

bool CTermStampLog::Flush() {
    if (m_pending.empty() || !Active()) return true;
    // never blocks on a FIFO or device named as the log
    const bool ok = AppendToFile(m_strFile, m_pending.data(), m_pending.size());
    m_pending.clear();
    return ok;
}

}  // namespace quelda
