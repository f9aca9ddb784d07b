#pragma once
// Shared by the device tests: a recorder of what the program's own parser
// makes of the device's bytes, the device as a process, and the program's
// side of the line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "../core/config/TempDir.h"
#include "comm/PortHandle.h"
#include "protocol/Frame.h"
#include "protocol/ReceiveParser.h"

extern char** environ;

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
    void OnReceiveError(const char* text) override { errors.emplace_back(text); }

    std::vector<ParsedFrame> frames;
    std::vector<std::string> errors;
};

// The frame text the program keeps for header "$QVR" and body "X,1*".
inline std::string Framed(const std::string& body) { return BuildCommandLine("$QVR", body); }

inline std::string SourceFile(const std::string& relative) {
    return std::string(QUELDA_SOURCE_DIR) + "/" + relative;
}
inline const std::string kDemoDir = SourceFile("src/ui/res/demo");

// build/bin/quelda-device as a child; its first stdout line names the line.
class DeviceProcess {
public:
    ~DeviceProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        if (m_out >= 0) ::close(m_out);
    }

    // Starts the device and reads "PTY <path>" (or "PORT <name>" with
    // --port); false when it does not come within two seconds.
    bool Start(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        std::vector<std::string> strings{std::string(QUELDA_BIN_DIR) + "/quelda-device"};
        strings.insert(strings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& s : strings) argv.push_back(s.data());
        argv.push_back(nullptr);
        const int rc = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
        if (rc != 0) {
            m_pid = -1;
            return false;
        }
        const std::string line = ReadLine(2000);
        const std::size_t space = line.find(' ');
        if (line.rfind("PTY ", 0) != 0 && line.rfind("PORT ", 0) != 0) return false;
        m_strPath = line.substr(space + 1);
        return true;
    }

    const std::string& Path() const { return m_strPath; }

    // SIGTERM, then the exit code (-1 when it does not end within 3 s).
    int Terminate() {
        ::kill(m_pid, SIGTERM);
        for (int i = 0; i < 3000; ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(1000);
        }
        return -1;
    }

private:
    std::string ReadLine(int timeoutMs) {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            char c = 0;
            if (::read(m_out, &c, 1) != 1) break;
            if (c == '\n') return line;
            line += c;
        }
        return line;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_strPath;
};

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
