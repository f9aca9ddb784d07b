#pragma once
// Shared by the device tests: a recorder of what the program's own parser
// makes of the device's bytes, the device as a process, and the program's
// side of the line.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "comm/PortHandle.h"
#include "protocol/Frame.h"
#include "protocol/ReceiveParser.h"
#include "support/DeviceProcess.h"
#include "support/TempDir.h"

namespace quelda {
// gtest shows an error by its text
inline void PrintTo(ReceiveError error, std::ostream* out) { *out << ReceiveErrorText(error); }
}  // namespace quelda

namespace quelda::test {

struct ParsedFrame {
    std::string command;
    std::string text;
    std::string block;
};

class Recorder : public IParserListener {
public:
    void OnFrameEnd(const char*, std::size_t) override {}
    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* block, std::size_t blockCount) override {
        frames.push_back({command, std::string(text, length),
                          std::string(reinterpret_cast<const char*>(block), blockCount)});
    }
    void OnReceiveError(ReceiveError error) override { errors.push_back(error); }

    std::vector<ParsedFrame> frames;
    std::vector<ReceiveError> errors;
};

// The frame text the program keeps for header "$QVR" and body "X,1*".
inline std::string Framed(const std::string& body) { return BuildCommandLine("$QVR", body); }

inline std::string SourceFile(const std::string& relative) {
    return std::string(QUELDA_SOURCE_DIR) + "/" + relative;
}
inline const std::string kDemoDir = SourceFile("src/ui/res/demo");

// The program's end of the line: the port opened as the program opens it,
// its bytes fed to the program's own parser.
class ProgramSide {
public:
    ProgramSide() : m_parser(m_recorder) {}

    bool Open(const std::string& path, uint32_t baud = 19200, uint8_t parity = 0,
              uint8_t stop = 0) {
        return m_port.Open(path) && m_port.Configure(baud, 8, parity, stop);
    }
    void Close() { m_port.Close(); }
    void SetBinary(const std::string& command, int lengthFormat) {
        m_parser.SetBinaryCommand(command);
        m_parser.SetBinLengthFormat(lengthFormat);
    }

    bool SendRaw(const std::string& bytes) {
        return ::write(m_port.Fd(), bytes.data(), bytes.size()) ==
               static_cast<ssize_t>(bytes.size());
    }
    bool Send(const std::string& body) { return SendRaw(Framed(body)); }

    // Feeds arriving bytes to the parser until done() holds or the time is up.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 2000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) return false;
            pollfd p{m_port.Fd(), POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
            uint8_t buffer[8192];
            const ssize_t n = ::read(m_port.Fd(), buffer, sizeof buffer);
            if (n > 0) m_parser.Receive(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }
    // The next frame after those seen so far, or an empty one on time-out.
    ParsedFrame Ask(const std::string& body, int timeoutMs = 2000) {
        const std::size_t before = m_recorder.frames.size();
        if (!Send(body)) return {};
        if (!WaitFor([&] { return m_recorder.frames.size() > before; }, timeoutMs)) return {};
        return m_recorder.frames[before];
    }

    Recorder& Events() { return m_recorder; }

private:
    CPortHandle m_port;
    Recorder m_recorder;
    CReceiveParser m_parser;
};

}  // namespace quelda::test
