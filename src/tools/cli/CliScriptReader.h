#pragma once
// Cuts the monitor's script input into lines as it arrives and reads each
// line as one script command, strictly: a typo must not send anything.
#include <string>
#include <vector>

namespace quelda {

enum class ScriptVerb {
    None,  // a blank line or a "#" comment
    Line,
    Cmd,
    Wait,
    Bin,
    Sleep,
    Button,
    Request,
    Search,
    Connect,
    Disconnect,
    Quit,
};

struct ScriptCommand {
    ScriptVerb verb = ScriptVerb::None;
    std::string text;                // line, cmd, wait, bin: escapes decoded
    int number = 0;                  // sleep: milliseconds; button: record index
    std::vector<std::string> words;  // request: baud rate, data bits, parity, stop bits
};

// Reads one script line into command; returns what is wrong, or an empty
// string when the line is a good command.
std::string ParseScriptLine(const std::string& line, ScriptCommand& command);

class CScriptReader {
public:
    // Reads what the descriptor has now; a read of 0 bytes (or an error)
    // marks the end of the input.
    void ReadFrom(int fd);
    // Input handed over directly (what ReadFrom appends).
    void Append(const std::string& bytes) { m_pending += bytes; }
    void End() { m_bEnded = true; }

    // A complete line is waiting (at the end, a last line without "\n" too).
    bool HasLine() const;
    // The next line without "\n" and without one "\r" before it.
    std::string TakeLine();
    // The next line as a command; false with error "script line N: ..."
    // when it is unknown or malformed.
    bool TakeCommand(ScriptCommand& command, std::string& error);
    int LineNumber() const { return m_nLine; }

    bool Ended() const { return m_bEnded; }
    // Ended and every line taken.
    bool Exhausted() const { return m_bEnded && !HasLine(); }

private:
    std::string m_pending;
    bool m_bEnded = false;
    int m_nLine = 0;
};

}  // namespace quelda
