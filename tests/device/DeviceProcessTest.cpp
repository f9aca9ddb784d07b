// build/bin/quelda-device as the program meets it: over a pseudo-terminal,
// opened, configured and read the way the program does.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>

#include <cstdio>

#include "DeviceTestSupport.h"
#include "support/PtyPair.h"

namespace quelda::test {
namespace {

constexpr int kSilenceMs = 300;

class DeviceProcessTest : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& args) {
        ASSERT_TRUE(device.Start(args)) << "quelda-device did not announce its line";
    }
    void Open(uint32_t baud = 19200, uint8_t parity = 0, uint8_t stop = 0) {
        ASSERT_TRUE(program.Open(device.Path(), baud, parity, stop)) << device.Path();
    }
    // No frame at all within the silence time.
    void ExpectSilence(const std::string& body) {
        const std::size_t before = program.Events().frames.size();
        program.Send(body);
        EXPECT_FALSE(
            program.WaitFor([&] { return program.Events().frames.size() > before; }, kSilenceMs))
            << body << " was answered";
    }
    std::string Command(const std::string& body) { return program.Ask(body).command; }

    DeviceProcess device;
    ProgramSide program;
};

TEST_F(DeviceProcessTest, AnswersEveryKindOfRequest) {
    Start({"--profile", kDemoDir + "/device"});
    Open();
    program.SetBinary("BIN3", 0);
    EXPECT_EQ(program.Ask("COM*").text.rfind("$QVR,COM,19200,8,NO,1*", 0), 0u);
    EXPECT_EQ(Command("STS*"), "STS");
    EXPECT_EQ(Command("MON1*"), "MON1");
    const ParsedFrame binary = program.Ask("BIN3*");
    EXPECT_EQ(binary.command, "BIN3");
    EXPECT_GT(binary.block.size(), 40u);
    EXPECT_EQ(program.Ask("DB,100*").text.rfind("$QVR,DB,30,75,0,0,", 0), 0u);
    EXPECT_EQ(Command("RUN,1*"), "ACK");
    std::string bad = Framed("RUN,1*");
    bad[bad.size() - 4] = bad[bad.size() - 4] == '0' ? '1' : '0';
    ASSERT_TRUE(program.SendRaw("noise\r\n" + bad));
    ASSERT_TRUE(program.WaitFor([&] { return program.Events().frames.back().command == "NAK"; }));
    EXPECT_TRUE(program.Events().errors.empty());
}

TEST_F(DeviceProcessTest, SilentAtAnotherSpeedAnswersAtItsOwnAcrossReconnects) {
    Start({"--baud", "57600"});
    Open(9600);
    ExpectSilence("COM*");
    program.Close();
    Open(57600);
    EXPECT_EQ(program.Ask("COM*").text.rfind("$QVR,COM,57600,", 0), 0u);
    program.Close();
    Open(57600);  // the program side closes and opens again
    EXPECT_EQ(Command("RUN*"), "ACK");
}

TEST_F(DeviceProcessTest, ComparesOddParityAndStopBits) {
    Start({"--parity", "ODD", "--stop", "2"});
    Open(9600, 2, 2);  // even looks like none on a pseudo-terminal
    ExpectSilence("RUN*");
    program.Close();
    Open(9600, 1, 0);
    ExpectSilence("RUN*");
    program.Close();
    Open(9600, 1, 2);
    EXPECT_EQ(Command("RUN*"), "ACK");
}

TEST_F(DeviceProcessTest, SettingRequestMovesTheDeviceToTheNewSettings) {
    Start({});
    Open(19200);
    EXPECT_EQ(Command("COM,38400,8,ODD,1*"), "ACK");
    ExpectSilence("RUN*");
    program.Close();
    Open(38400, 1, 0);
    EXPECT_EQ(program.Ask("COM*").text.rfind("$QVR,COM,38400,8,ODD,1*", 0), 0u);
}

std::string ByteWrite(uint32_t addr, uint8_t first, uint8_t& sum) {
    char text[16];
    std::snprintf(text, sizeof text, "EB,%X", addr);
    std::string body = text;
    for (int i = 0; i < 32; ++i) {
        const uint8_t b = static_cast<uint8_t>(first + 7 * i);
        std::snprintf(text, sizeof text, ",%X", b);
        body += text;
        sum ^= b;
    }
    return body + "*";
}

TEST_F(DeviceProcessTest, WritesAWholePageAndReadsItBack) {
    Start({"--profile", kDemoDir + "/device"});
    Open();
    // byte access: page 3 of the demo starts at 200, its checksum goes to 1102
    uint8_t sum = 0;
    std::vector<std::string> writes;
    for (uint32_t part = 0; part < 4; ++part) {
        writes.push_back(ByteWrite(0x200 + 0x20 * part, static_cast<uint8_t>(part * 40), sum));
        EXPECT_EQ(Command(writes.back()), "ACK") << part;
    }
    char checksum[32];
    std::snprintf(checksum, sizeof checksum, "EB,1102,%X*", static_cast<uint8_t>(sum + 1));
    EXPECT_EQ(Command(checksum), "NAK");
    std::snprintf(checksum, sizeof checksum, "EB,1102,%X*", sum);
    EXPECT_EQ(Command(checksum), "ACK");
    for (uint32_t part = 0; part < 4; ++part) {
        char read[16];
        std::snprintf(read, sizeof read, "DB,%X*", 0x200 + 0x20 * part);
        const std::string text = program.Ask(read).text;
        // the values of the write, after "$QVR,DB" instead of "EB,addr"
        const std::string written = writes[part].substr(writes[part].find(',', 3));
        EXPECT_EQ(text.substr(7, text.find('*') - 7), written.substr(0, written.size() - 1));
    }
    // word access: one write of 32 words and the 32-bit checksum
    std::string words = "EW,2000";
    uint32_t wordSum = 0;
    for (uint32_t i = 0; i < 32; ++i) {
        std::snprintf(checksum, sizeof checksum, ",%X", 0x01010101u * i + 0x80000000u);
        words += checksum;
    }
    EXPECT_EQ(Command(words + "*"), "ACK");
    for (uint32_t i = 0; i < 32; ++i) wordSum ^= 0x01010101u * i + 0x80000000u;
    EXPECT_EQ(program.Ask("DW,2000*").text.substr(7, words.size() - 7), words.substr(7));
    (void)wordSum;
}

TEST_F(DeviceProcessTest, InjectedFaultsReachTheParserAsReceiveErrors) {
    {
        DeviceProcess bad;
        ASSERT_TRUE(bad.Start({"--fault", "BAD_CHECKSUM=1"}));
        ProgramSide side;
        ASSERT_TRUE(side.Open(bad.Path()));
        side.Send("RUN*");
        EXPECT_TRUE(side.WaitFor([&] { return !side.Events().errors.empty(); }));
        EXPECT_EQ(side.Events().errors, std::vector<ReceiveError>{ReceiveError::Checksum});
        EXPECT_TRUE(side.Events().frames.empty());
    }
    {
        DeviceProcess cut;
        ASSERT_TRUE(cut.Start({"--fault", "CUT=2", "--fault", "NOISE=32"}));
        ProgramSide side;
        ASSERT_TRUE(side.Open(cut.Path()));
        for (int i = 0; i < 3; ++i) side.Send("RUN*");
        EXPECT_TRUE(side.WaitFor([&] { return side.Events().frames.size() == 2; }));
        EXPECT_EQ(side.Events().errors, std::vector<ReceiveError>{ReceiveError::Restart});
    }
}

TEST_F(DeviceProcessTest, LateRepliesSilenceAndRefusedWrites) {
    Start({"--fault", "DELAY=400", "--fault", "NAK_WRITES=1"});
    Open();
    ExpectSilence("EB,100,1*");  // 300 ms: still on its way
    EXPECT_TRUE(program.WaitFor([&] { return !program.Events().frames.empty(); }));
    EXPECT_EQ(program.Events().frames[0].command, "NAK");

    DeviceProcess mute;
    ASSERT_TRUE(mute.Start({"--silent"}));
    ProgramSide side;
    ASSERT_TRUE(side.Open(mute.Path()));
    side.Send("COM*");
    EXPECT_FALSE(side.WaitFor([&] { return !side.Events().frames.empty(); }, kSilenceMs));
}

TEST_F(DeviceProcessTest, FloodSendsNumberedFramesUnasked) {
    Start({"--flood", "5000"});
    Open(115200);
    ASSERT_TRUE(program.WaitFor([&] { return program.Events().frames.size() >= 200; }));
    const auto& frames = program.Events().frames;
    for (std::size_t i = 0; i < 200; ++i) {
        ASSERT_EQ(frames[i].command, "FLOOD");
        // numbers run on without a gap from the first frame read
        const long first = std::stol(frames[0].text.substr(11));
        EXPECT_EQ(std::stol(frames[i].text.substr(11)), first + static_cast<long>(i));
    }
    EXPECT_TRUE(program.Events().errors.empty());
}

TEST_F(DeviceProcessTest, ProfileStreamGoesOutUnaskedAtItsRate) {
    TempDir dir;
    dir.Write("DEVICE.INI", "[ANSWERS]\nANSWER1=TICK,TEXT,tick.txt,50\n");
    dir.Write("tick.txt", "Name,Format\nN,%d,COUNTER,0,1,0\n");
    const auto start = std::chrono::steady_clock::now();
    Start({"--profile", dir.Path()});
    Open();
    ASSERT_TRUE(program.WaitFor([&] { return program.Events().frames.size() >= 10; }));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const ParsedFrame& last = program.Events().frames.back();
    EXPECT_EQ(last.command, "TICK");
    // never more than 50 per second since the start (the first goes at once)
    const long sent = std::stol(last.text.substr(10)) + 1;
    EXPECT_LE(sent, 50 * seconds + 1);
}

TEST_F(DeviceProcessTest, TerminateEndsCleanlyRemovesTheLinkAndSaves) {
    TempDir dir;
    dir.Write("DEVICE.INI", "[EEPROM]\nTABLE=tab.txt\nDATA=data.csv\n");
    dir.Write("tab.txt", "Sig,0,0\r\nP1,100,300\r\n");
    dir.Write("data.csv", "h,h,h,h,h,h,h,h\r\nA,INT4,1,%d,,1,1,INT4\r\n");
    const std::string link = dir.File("tty");
    Start({"--profile", dir.Path(), "--link", link, "--save"});
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(device.Path(), target);
    ASSERT_TRUE(program.Open(link));
    EXPECT_EQ(Command("EB,100,0,0,1,2C*"), "ACK");
    program.Close();
    EXPECT_EQ(device.Terminate(), 0);
    struct stat st;
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link is still there";
    EXPECT_EQ(dir.Read("data.csv"), "h,h,h,h,h,h,h,h\r\nA,INT4,1,%d,,300,12C,INT4\r\n");
}

TEST_F(DeviceProcessTest, LeavesAFileInTheLinksPlaceAlone) {
    TempDir dir;
    dir.Write("file", "keep");
    EXPECT_FALSE(device.Start({"--link", dir.File("file")}));
    EXPECT_EQ(dir.Read("file"), "keep");
}

}  // namespace
}  // namespace quelda::test

namespace quelda::test {
namespace {

// A terminal of the test's own stands in for a real port: the device opens
// its slave with --port, the test plays the program on the master.
class RealPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        slave = pty.Path();
        // hold the slave too, so the master reads no hang-up between opens
        hold = open(slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(hold, 0);
    }
    void TearDown() override { close(hold); }
    std::string Ask(const std::string& body) {
        const std::string line = Framed(body);
        EXPECT_TRUE(pty.Write(line));
        return pty.ReadUntil(
            [](const std::string& got) { return got.find('\n') != std::string::npos; }, 2000);
    }

    PtyPair pty;
    int hold = -1;
    std::string slave;
    DeviceProcess device;
};

TEST_F(RealPortTest, OpensThePortAtItsSettingsAndChangesThemOnRequest) {
    ASSERT_TRUE(device.Start({"--port", slave, "--baud", "9600", "--parity", "ODD"}));
    EXPECT_EQ(device.Path(), slave);
    EXPECT_EQ(Ask("COM*"), Framed("COM,9600,8,ODD,1*"));
    struct termios t;
    ASSERT_EQ(tcgetattr(pty.Master(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_TRUE(t.c_cflag & PARODD);
    EXPECT_EQ(Ask("COM,38400,8,NO,2*"), Framed("ACK*"));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do {
        ASSERT_EQ(tcgetattr(pty.Master(), &t), 0);
    } while (cfgetospeed(&t) != B38400 && std::chrono::steady_clock::now() < end);
    EXPECT_EQ(cfgetospeed(&t), B38400);
    EXPECT_FALSE(t.c_cflag & PARODD);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_EQ(Ask("DB,0*").rfind("$QVR,DB,0,0,", 0), 0u);
    EXPECT_EQ(device.Terminate(), 0);
}

TEST_F(RealPortTest, APortThatCannotBeOpenedEndsTheDevice) {
    EXPECT_FALSE(device.Start({"--port", "/dev/quelda-no-such-port"}));
}

}  // namespace
}  // namespace quelda::test
