#pragma once
// Cuts the monitor's script input into lines as it arrives.
#include <string>

namespace quelda {

class CScriptReader {
public:
    // Reads what the descriptor has now; a read of 0 bytes (or an error)
    // marks the end of the input.
    void ReadFrom(int fd);

    // A complete line is waiting (at the end, a last line without "\n" too).
    bool HasLine() const;
    // The next line without "\n" and without one "\r" before it.
    std::string TakeLine();
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
