// quelda-cli monitor against a terminal whose device side the test plays.
#include <fstream>
#include <sstream>
#include <thread>

#include "CliFixture.h"

namespace quelda::test {
namespace {

using Lines = std::vector<std::string>;

TEST(CliUsageTest, BadCommandLinesExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"monitor", "--bogus"},
        {"monitor", "--baud"},
        {"monitor", "--yes", "--no"},
        {"monitor", "stray"},
    };
    for (const auto& args : cases) {
        ChildProcess cli;
        ASSERT_TRUE(cli.Start(std::string(QUELDA_BIN_DIR) + "/quelda-cli", args));
        cli.CloseStdin();
        EXPECT_EQ(cli.Wait(), 2) << ::testing::PrintToString(args);
        EXPECT_EQ(cli.RestOfStdout(), "");
        const std::string err = cli.Stderr();
        EXPECT_FALSE(err.empty());
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;  // one line
    }
}

class CliMonitorTest : public CliTest {};

TEST_F(CliMonitorTest, SendsAndPrintsFramesBlocksAndErrors) {
    StartOnPty();
    Script("cmd X,1*\n");
    ExpectSentOnLine(Text("X,1"));

    const std::string frame = Text("MON,1,2");
    ASSERT_TRUE(pty.Write(frame));
    EXPECT_EQ(Next(), "FRAME " + Escaped(frame));

    const Binary bin = Bin(Len(7, 0), std::string("$*\r\n\x00", 5));
    ASSERT_TRUE(pty.Write(bin.wire));
    EXPECT_EQ(Next(), "FRAME " + Escaped(bin.text));
    EXPECT_EQ(Next(), "BLOCK 0700242A0D0A00");

    std::string bad = Text("ACK");
    bad.replace(bad.size() - 4, 2, bad[bad.size() - 4] == '0' ? "10" : "00");
    ASSERT_TRUE(pty.Write(bad));
    EXPECT_EQ(Next(), "ERROR Reception checksum error");

    // A text frame whose command only begins with the binary name has no block.
    ASSERT_TRUE(pty.Write(Text("BINX,1")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("BINX,1")));
    Script("quit\n");
    EXPECT_EQ(Finish(), Lines{});
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliMonitorTest, RenamedBinaryCommandAndHighByteFirst) {
    dir.Write("QUELDA.INI", "[COMMAND]\nBIN_LENGTH_FORMAT=1\n");
    StartOnPty();
    Script("bin MB\nline $QVR,PING*\n");
    ASSERT_EQ(Next().rfind("SENT ", 0), 0u);  // the script has been read this far
    const Binary bin = Bin(Len(4, 1), "ab", "", "MB");
    ASSERT_TRUE(pty.Write(bin.wire));
    EXPECT_EQ(Next(), "FRAME " + Escaped(bin.text));
    EXPECT_EQ(Next(), "BLOCK 00046162");
    EXPECT_EQ(Finish(), Lines{});
}

TEST_F(CliMonitorTest, EscapesInScriptAndOutput) {
    StartOnPty();
    Script("line $QVR,A\\x01\\\\\\tB\\q*\n");
    const std::string body = std::string("QVR,A\x01\\\tB\\q");
    const std::string wire = "$" + body + "*" + Hex2(Xor(body)) + kCrLf;
    EXPECT_EQ(Next(), "SENT $QVR,A\\x01\\\\\\tB\\\\q*" + Hex2(Xor(body)) + "\\r\\n");
    EXPECT_EQ(pty.Read(wire.size()), wire);

    const std::string frame = Text(std::string("T,\x7F\xE9 x"));
    ASSERT_TRUE(pty.Write(frame));
    EXPECT_EQ(Next(),
              "FRAME " + Escaped(frame.substr(0, 7)) + "\\x7F\\xE9 x" + Escaped(frame.substr(11)));
    EXPECT_EQ(Finish(), Lines{});
}

TEST_F(CliMonitorTest, SendWhileWaitingIsRefusedAndTheTimeoutFollows) {
    StartOnPty();
    Script("wait PING*\ncmd X\nline abc\nbutton 0\n");
    EXPECT_EQ(Next(), "SENT " + Escaped(Text("PING")));
    EXPECT_EQ(Finish(),
              (Lines{"REFUSED", "REFUSED", "REFUSED", "MESSAGE Receive timeout occurred"}));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliMonitorTest, AckEndsTheWaitAndTheNextSendWorks) {
    StartOnPty();
    Script("wait PING*\n");
    ExpectSentOnLine(Text("PING"));
    ASSERT_TRUE(pty.Write(Text("ACK")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("ACK")));
    Script("cmd NEXT\n");
    EXPECT_EQ(Next(), "SENT " + Escaped("$QVR,NEXT\r\n"));
    EXPECT_EQ(Finish(), Lines{});
}

TEST_F(CliMonitorTest, SleepKeepsReceiving) {
    StartOnPty();
    Script("sleep 300\ncmd AFTER\n");
    ASSERT_TRUE(pty.Write(Text("EARLY")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("EARLY")));
    EXPECT_EQ(Next(), "SENT " + Escaped("$QVR,AFTER\r\n"));
    EXPECT_EQ(Finish(), Lines{});
}

TEST_F(CliMonitorTest, FailedOpenGoesOnDisconnectedAndEndsWithOne) {
    StartMonitor({"--port", dir.File("absent")});
    EXPECT_EQ(Next(), "MESSAGE COM port open error");
    EXPECT_EQ(Next(), "REASON " + dir.File("absent") + ": no such port");
    Script("line abc\ndisconnect\n");
    EXPECT_EQ(Finish(), (Lines{"SENT abc\\r\\n"}));
    EXPECT_EQ(exitCode, 1);  // the script never reached a device
}

TEST_F(CliMonitorTest, SettingsFromTheFileAndTheOptions) {
    ASSERT_TRUE(pty.Ok());
    dir.Write("PSETTING.TXT", pty.Path() + "\r\n9600\r\n7\r\nEVEN\r\n2\r\n");
    StartMonitor({"--baud", "38400", "--parity", "ODD"});
    EXPECT_EQ(Next(), "CONNECTED " + pty.Path());
    Script("line x\n");
    ASSERT_EQ(Next(), "SENT x\\r\\n");
    termios t{};
    ASSERT_EQ(tcgetattr(pty.Master(), &t), 0);
    // A pseudo-terminal keeps CS8 and drops PARENB whatever is asked; the
    // rest shows the options over the file.
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_TRUE(t.c_cflag & PARODD);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_EQ(Finish(), Lines{});
}

TEST_F(CliMonitorTest, ConnectAndDisconnectFromTheScript) {
    StartOnPty();
    Script("disconnect\ndisconnect\nconnect\nconnect\n");
    EXPECT_EQ(Finish(), (Lines{"DISCONNECTED", "CONNECTED " + pty.Path()}));
}

TEST_F(CliMonitorTest, ATypoStopsTheScriptBeforeItSendsMore) {
    StartOnPty();
    Script("# a comment\n\ncmd OK\ncnd TYPO\ncmd AFTER\nline after\n");
    EXPECT_EQ(Finish(), (Lines{"SENT " + Escaped("$QVR,OK\r\n")}));
    EXPECT_EQ(exitCode, 2);
    EXPECT_EQ(pty.Drain(300), "$QVR,OK\r\n");
    const std::string err = cli.Stderr();
    EXPECT_NE(err.find("script line 4: unknown command \"cnd\""), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
}

// A port that goes away is reported and closed; while the monitor waits for
// it to come back it neither hangs nor spins.
TEST_F(CliMonitorTest, VanishedPortIsReported) {
    StartOnPty();
    pty.CloseMaster();
    EXPECT_EQ(Next(), "LINE I / O error occurred while communicating with the device");
    EXPECT_EQ(Next(), "DISCONNECTED");
    const long before = cli.CpuTicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(cli.CpuTicks() - before, 10);
    Script("cmd X\ndisconnect\n");
    EXPECT_EQ(Next(), "SENT " + Escaped("$QVR,X\r\n"));
    EXPECT_EQ(Finish(), Lines{});
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace quelda::test
