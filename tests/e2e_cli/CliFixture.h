#pragma once
// Runs `quelda-cli monitor` over a scratch program directory; the test
// feeds its script and reads its events line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/ParserTestSupport.h"
#include "support/PtyPair.h"
#include "support/TempDir.h"

namespace quelda::test {

// The event form of CR and LF at the end of a frame or a sent line.
inline std::string Escaped(std::string text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

class CliTest : public ::testing::Test {
protected:
    static std::string Program(const std::string& name) {
        return std::string(QUELDA_BIN_DIR) + "/" + name;
    }

    void StartMonitor(const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"monitor", "--dir", dir.Path()};
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_TRUE(cli.Start(Program("quelda-cli"), args));
    }

    // Connects to the test's own terminal and checks the first event.
    void StartOnPty(const std::vector<std::string>& extra = {}) {
        ASSERT_TRUE(pty.Ok());
        std::vector<std::string> args = {"--port", pty.Path()};
        args.insert(args.end(), extra.begin(), extra.end());
        StartMonitor(args);
        ASSERT_EQ(Next(), "CONNECTED " + pty.Path());
    }

    void Script(const std::string& lines) { ASSERT_TRUE(cli.WriteStdin(lines)); }

    // The next event reports the line, and the line reached the device side.
    void ExpectSentOnLine(const std::string& line) {
        EXPECT_EQ(Next(), "SENT " + Escaped(line));
        EXPECT_EQ(pty.Read(line.size()), line);
    }
    std::string Next(int timeoutMs = 5000) { return cli.ReadLine(timeoutMs); }

    // Ends the input and returns the remaining events; exitCode gets the status.
    std::vector<std::string> Finish() {
        cli.CloseStdin();
        exitCode = cli.Wait();
        std::vector<std::string> lines;
        for (std::string line; !(line = cli.ReadLine(0)).empty();) lines.push_back(line);
        return lines;
    }

    TempDir dir;
    PtyPair pty;
    ChildProcess cli;
    int exitCode = -1;
};

}  // namespace quelda::test
