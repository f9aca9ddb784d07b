#pragma once
// The optional time-stamped log of the terminal: one record per terminal
// line, "HH:MM:SS.mmm" TAB kind letter TAB text. The traffic log stays raw.
#include <string>

#include "term/TermLine.h"

namespace quelda {

// "S", "R" or "E" for sent, received and error lines.
char KindLetter(int kind);
// One record with its "\n". The text is the line without its line end, the
// block's hex after it; CR, LF, TAB and "\" inside are written as \r, \n,
// \t and \\ so a record is always one line.
std::string StampLogRecord(const TermLine& line);
// The traffic log's name for today with "T" before the number, in dir.
std::string ProposeStampLogName(const std::string& dir);

class CTermStampLog {
public:
    // Starts logging to fileName (appending); an empty name stops.
    void SetFile(const std::string& fileName);
    bool Active() const { return !m_strFile.empty(); }
    const std::string& FileName() const { return m_strFile; }

    void Add(const TermLine& line);
    // Writes what was gathered: the file is opened and closed per batch.
    // False when the write failed (the records are dropped, as for the
    // traffic log).
    bool Flush();

private:
    std::string m_strFile;
    std::string m_pending;
};

}  // namespace quelda
