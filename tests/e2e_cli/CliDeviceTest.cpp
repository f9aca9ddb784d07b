// quelda-cli monitor against the virtual device.
#include <algorithm>
#include <csignal>

#include "CliFixture.h"
#include "text/TextFile.h"

namespace quelda::test {
namespace {

using Lines = std::vector<std::string>;

class CliDeviceTest : public CliTest {
protected:
    // Starts the device with its line options; port gets its terminal.
    void StartDevice(const std::vector<std::string>& args) {
        ASSERT_TRUE(device.Start(Program("quelda-device"), args));
        const std::string first = device.ReadLine();
        ASSERT_EQ(first.rfind("PTY ", 0), 0u) << first << device.Stderr();
        port = first.substr(4);
    }

    static long Count(const Lines& lines, const std::string& prefix) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    }

    ChildProcess device;
    std::string port;
};

TEST_F(CliDeviceTest, RepliesEndTheWait) {
    dir.Write("COMMAND2.TXT", "Ping,PING,1,,,,,1,1\r\n");
    StartDevice({});
    StartMonitor({"--port", port});
    ASSERT_EQ(Next(), "CONNECTED " + port);
    Script("wait PING*\n");
    EXPECT_EQ(Next(), "SENT " + Escaped(Text("PING")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("ACK")));
    Script("button 0\n");
    EXPECT_EQ(Next(), "SENT " + Escaped(Text("PING,1")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("ACK")));
    Script("wait EW,zz*\n");
    EXPECT_EQ(Next(), "SENT " + Escaped(Text("EW,zz")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("NAK")));
    EXPECT_EQ(Next(), "MESSAGE It has received a NAK");
    // The script ends at once after the request: its reply is still shown.
    Script("request 19200 8 NO 1\n");
    EXPECT_EQ(Finish(), (Lines{"SENT " + Escaped(Text("COM,19200,8,NO,1")),
                               "FRAME " + Escaped(Text("ACK"))}));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(CliDeviceTest, SearchFindsTheEleventhSettingAndSavesAfterYes) {
    StartDevice({"--baud", "57600", "--parity", "ODD"});
    StartMonitor({"--port", port, "--yes"});
    ASSERT_EQ(Next(), "CONNECTED " + port);
    Script("search\n");
    const Lines lines = Finish();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(Count(lines, "SENT " + Escaped(Text("COM"))), 11);
    EXPECT_EQ(Count(lines, "CONNECTED "), 11);
    EXPECT_EQ(Count(lines, "MESSAGE "), 0);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("FRAME $QVR,COM,", 0), 0u);
    EXPECT_EQ(lines.back(), "ASK It was connected . Do you want to save the settings?");
    EXPECT_EQ(dir.Read("PSETTING.TXT"), port + "\r\n57600\r\n8\r\nODD\r\n1\r\n");
}

TEST_F(CliDeviceTest, SearchAnsweredNoSavesNothing) {
    StartDevice({"--baud", "9600"});
    StartMonitor({"--port", port, "--no"});
    ASSERT_EQ(Next(), "CONNECTED " + port);
    Script("search\n");
    const Lines lines = Finish();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "DISCONNECTED");
    EXPECT_EQ(lines[1], "CONNECTED " + port);
    EXPECT_EQ(lines[2], "SENT " + Escaped(Text("COM")));
    EXPECT_EQ(lines[4], "ASK It was connected . Do you want to save the settings?");
    EXPECT_FALSE(FileExists(dir.File("PSETTING.TXT")));
}

// A device that dies and comes back under the same name: the monitor says
// so, opens it again by itself, and the next command is answered.
TEST_F(CliDeviceTest, DeviceRestartedOnTheSameLinkIsTakenUpAgain) {
    const std::string link = dir.File("tty");
    StartDevice({"--link", link});
    StartMonitor({"--port", link});
    ASSERT_EQ(Next(), "CONNECTED " + link);
    device.Signal(SIGKILL);
    device.Wait();
    EXPECT_EQ(Next(), "LINE I / O error occurred while communicating with the device");
    EXPECT_EQ(Next(), "DISCONNECTED");
    ChildProcess restarted;
    ASSERT_TRUE(restarted.Start(Program("quelda-device"), {"--link", link}));
    ASSERT_EQ(restarted.ReadLine().rfind("PTY ", 0), 0u) << restarted.Stderr();
    EXPECT_EQ(Next(), "CONNECTED " + link);
    Script("wait PING*\n");
    EXPECT_EQ(Next(), "SENT " + Escaped(Text("PING")));
    EXPECT_EQ(Next(), "FRAME " + Escaped(Text("ACK")));
    EXPECT_EQ(Finish(), Lines{});
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace quelda::test
