// quelda-cli simulate on the test's own terminal, in the three modes.
#include <csignal>

#include "CliFixture.h"
#include "config/IniFile.h"

namespace quelda::test {
namespace {

using Lines = std::vector<std::string>;

class CliSimulateTest : public CliTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        dir.Write("modes.txt", "Mode,\r\nSlow,S\r\nFast,F\r\n");
        dir.Write("SIMULATOR.TXT",
                  "// kept\r\nTitle\r\n"
                  "Speed,INT,4,%d,rpm,1500,1,0,0,\r\n"
                  "Mode,STRING,1,%s,,F,,,,modes.txt\r\n");
    }
    void Simulate(const std::vector<std::string>& extra, const std::string& port = "") {
        std::vector<std::string> args = {"simulate", "--dir", dir.Path(), "--port",
                                         port.empty() ? pty.Path() : port};
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_TRUE(cli.Start(Program("quelda-cli"), args));
    }
    // The events up to the end of the program, and its exit code.
    Lines Rest() {
        exitCode = cli.Wait();
        Lines lines;
        for (std::string line; !(line = cli.ReadLine(0)).empty();) lines.push_back(line);
        return lines;
    }
};

TEST_F(CliSimulateTest, OnceSendsTheMessageAndSavesWhatItSent) {
    Simulate({"--header", "$QVR,SM", "--checksum", "1", "--set", "1=987", "--set", "2=Slow",
              "--period", "4"});
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    ExpectSentOnLine(Text("SM,987,S"));
    EXPECT_EQ(Rest(), Lines{});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"),
              "// kept\r\nTitle,,,,,,,,,\r\n"
              "Speed,INT,4,%d,rpm,987,1,0,0,\r\n"
              "Mode,STRING,1,%s,,S,,,,modes.txt\r\n");
    const std::string ini = dir.File("QUELDA.INI");
    EXPECT_EQ(GetProfileString(ini, "SIMULATOR", "SEND_HEDDA", ""), "$QVR,SM");
    EXPECT_EQ(GetProfileString(ini, "SIMULATOR", "RERIOD", ""), "4");
    EXPECT_EQ(GetProfileString(ini, "SIMULATOR", "RECEIVE_HEDDA", ""), "$QVR");
    EXPECT_EQ(GetProfileString(ini, "SIMULATOR", "CHECKSUM", ""), "1");
}

TEST_F(CliSimulateTest, PeriodicSendsUntilTerminated) {
    Simulate({"--mode", "periodic", "--period", "50"});
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    const std::string line = "$QVR,1500,F\r\n";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Next(), "SENT " + Escaped(line)) << i;
    cli.Signal(SIGTERM);
    const Lines rest = Rest();
    EXPECT_EQ(exitCode, 0);
    for (const std::string& event : rest) EXPECT_EQ(event, "SENT " + Escaped(line));
    EXPECT_LT(rest.size(), 1000u);
}

TEST_F(CliSimulateTest, ResponseAnswersFramesWithTheReceptionText) {
    Simulate({"--mode", "response", "--reception", "$QVR,RQ", "--header", "$QVR,AN"});
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    ASSERT_TRUE(pty.Write(Text("XX,1")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("XX,1")));
    ASSERT_TRUE(pty.Write(Text("RQ,1")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("RQ,1")));
    ExpectSentOnLine("$QVR,AN,1500,F\r\n");
    ASSERT_TRUE(pty.Write(Text("RQX")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("RQX")));
    ExpectSentOnLine("$QVR,AN,1500,F\r\n");
    cli.Signal(SIGINT);
    EXPECT_EQ(Rest(), Lines{});
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliSimulateTest, SecondsEndARunAndSurplusIsSaidOnce) {
    std::string text = "Title\r\n";
    for (int i = 0; i < 21; ++i) text += "P,INT,1,%d,,1,1,0,0,\r\n";
    dir.Write("SIMULATOR.TXT", text);
    Simulate({"--mode", "response", "--seconds", "0.2"});
    EXPECT_EQ(Next().rfind("MESSAGE SIMULATOR.TXT has 21 definitions", 0), 0u);
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    EXPECT_EQ(Rest(), Lines{});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"), "Title,,,,,,,,,\r\n" + text.substr(7));
}

TEST_F(CliSimulateTest, UsageErrorsAndOpenFailure) {
    const std::vector<std::vector<std::string>> bad = {
        {"--set", "3=1"},    {"--set", "2=Medium"}, {"--set", "21=1"},   {"--set", "x"},
        {"--mode", "twice"}, {"--checksum", "2"},   {"--seconds", "-1"}, {"--yes"},
        {"--bogus", "1"},    {"--period"},
    };
    for (const auto& args : bad) {
        ChildProcess child;
        std::vector<std::string> all = {"simulate", "--dir", dir.Path(), "--port", pty.Path()};
        all.insert(all.end(), args.begin(), args.end());
        ASSERT_TRUE(child.Start(Program("quelda-cli"), all));
        EXPECT_EQ(child.Wait(), 2) << args[0];
        EXPECT_EQ(child.RestOfStdout(), "") << args[0];
        const std::string err = child.Stderr();
        EXPECT_TRUE(!err.empty() && err.find('\n') == err.size() - 1) << err;
    }
    const std::string before = dir.Read("SIMULATOR.TXT");
    Simulate({}, dir.File("no-such-port"));
    EXPECT_EQ(Next(), "MESSAGE COM port open error");
    EXPECT_EQ(Next().rfind("REASON ", 0), 0u);
    Rest();
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"), before);  // nothing was sent, nothing saved
}

}  // namespace
}  // namespace quelda::test
