// The device's protocol logic without a line: requests in, frames out, read
// by the program's own parser.
#include <cstdio>

#include "DeviceTestSupport.h"
#include "device/DeviceEngine.h"

namespace quelda::test {
namespace {

const char kIni[] =
    "[DEVICE]\nBIN_LENGTH_FORMAT=1\n"
    "[ANSWERS]\nANSWER1=STS,TEXT,sts.txt\nANSWER2=MONA,TEXT,mon.txt\n"
    "ANSWER3=BLK,BINARY,blk.txt\n"
    "[EEPROM]\nTABLE=tab.txt\nDATA=data.csv\n";

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("DEVICE.INI", kIni);
        dir.Write("sts.txt", "Name,Format\nWord,%08X,CONST,0x1A2C3\n");
        dir.Write("mon.txt", "Name,Format\nCount,%d,COUNTER,5,2,0\nText,,CONST,abc\n");
        dir.Write("blk.txt", "Name,Type\nA,UINT2BE,CONST,258\nGap,JUMP3\nB,CHAR,CONST,-1\n");
        // signature at 0, page 1 at 100 with its checksum at 300
        dir.Write("tab.txt", "Sig,0,0\nPage 1,100,300\n");
        dir.Write("data.csv", "h,h,h,h,h,h,h,h\nA,INT4,1,%d,,0,11223344,INT4\n");
        std::vector<std::string> problems;
        ASSERT_TRUE(profile.Load(dir.Path(), problems));
        EXPECT_TRUE(problems.empty()) << problems.front();
        engine = std::make_unique<CDeviceEngine>(profile);
    }

    // Sends the raw bytes at time t and parses what is due by t.
    void Feed(const std::string& bytes, double t = 0.0) {
        engine->Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), t);
        Drain(t);
    }
    void Drain(double t) {
        std::string out;
        engine->TakeDue(t, out);
        wire += out;
        parser.Receive(reinterpret_cast<const uint8_t*>(out.data()), out.size());
    }
    // The one frame the request gets.
    ParsedFrame Ask(const std::string& body) {
        const std::size_t before = recorder.frames.size();
        Feed(Framed(body));
        EXPECT_EQ(recorder.frames.size(), before + 1) << body;
        return recorder.frames.size() > before ? recorder.frames.back() : ParsedFrame{};
    }
    std::string AskText(const std::string& body) {
        const std::string text = Ask(body).text;
        return text.substr(0, text.find('*'));
    }

    TempDir dir;
    CDeviceProfile profile;
    std::unique_ptr<CDeviceEngine> engine;
    Recorder recorder;
    CReceiveParser parser{recorder};
    std::string wire;
};

TEST_F(EngineTest, AnswersEachRequestKind) {
    const struct {
        const char* request;
        const char* answer;
    } cases[] = {
        {"RUN,1*", "$QVR,ACK"},
        {"XYZ*", "$QVR,ACK"},
        {"STS*", "$QVR,STS,0001A2C3"},
        {"MONA*", "$QVR,MONA,5,abc"},
        {"MONA,7*", "$QVR,MONA,7,abc"},  // the second answer counts on
        {"SUM*", "$QVR,SUM,44"},         // 11 ^ 22 ^ 33 ^ 44
        {"DB,120*", "$QVR,DB,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        {"DB,FFFFFFFF*", "$QVR,NAK"},
        {"DB,10G*", "$QVR,NAK"},
        {"DB*", "$QVR,NAK"},
        {"DW,100,1*", "$QVR,NAK"},
        {"EB,120,1FF*", "$QVR,NAK"},
        {"COM,9600,9,NO,1*", "$QVR,NAK"},
        {"COM,9600,8,MARK,1*", "$QVR,NAK"},
        {"COM,9600,8,NO*", "$QVR,NAK"},
    };
    for (const auto& c : cases) EXPECT_EQ(AskText(c.request), c.answer) << c.request;
}

TEST_F(EngineTest, ReadsTheImageByBytesAndWords) {
    EXPECT_EQ(AskText("DB,100*"),
              "$QVR,DB,11,22,33,44,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(AskText("DW,100*"),
              "$QVR,DW,11223344,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    // the signature and the checksum were written when the image was made
    EXPECT_EQ(AskText("DB,0*").substr(0, 38), "$QVR,DB,42,4F,52,45,4C,49,4E,4B,0,0,0,");
    EXPECT_EQ(AskText("DB,300*").substr(0, 11), "$QVR,DB,44,");
    EXPECT_EQ(AskText("DW,300*").substr(0, 17), "$QVR,DW,11223344,");
}

TEST_F(EngineTest, WritesAPageAndChecksThePageChecksum) {
    std::string write = "EB,100";
    uint8_t sum = 0;
    for (int i = 0; i < 32; ++i) {
        char byte[8];
        std::snprintf(byte, sizeof byte, ",%X", i + 1);
        write += byte;
        sum ^= static_cast<uint8_t>(i + 1);
    }
    EXPECT_EQ(AskText(write + "*"), "$QVR,ACK");
    char checksum[32];
    std::snprintf(checksum, sizeof checksum, "EB,300,%X*", sum ^ 0x01);
    EXPECT_EQ(AskText(checksum), "$QVR,NAK");
    std::snprintf(checksum, sizeof checksum, "EB,300,%X*", sum);
    EXPECT_EQ(AskText(checksum), "$QVR,ACK");
    EXPECT_EQ(AskText("DB,100*").substr(0, 20), "$QVR,DB,1,2,3,4,5,6,");

    EXPECT_EQ(AskText("EW,100,A,B*"), "$QVR,ACK");
    EXPECT_EQ(AskText("EW,300,1*"), "$QVR,ACK");  // A ^ B = 1, the rest 0
    EXPECT_EQ(AskText("EW,300,2*"), "$QVR,NAK");
}

TEST_F(EngineTest, TakesOnlyTheRealSignature) {
    EXPECT_EQ(AskText("EB,0,42,4F,52,45,4C,49,4E,4B,0,0,0,0,0,0,0,0*"), "$QVR,ACK");
    EXPECT_EQ(AskText("EB,0,42,4F,52,45,4C,49,4E,4B,0,0,0,0,0,0,0,1*"), "$QVR,NAK");
    EXPECT_EQ(AskText("EW,0,424F5245,4C494E4B*"), "$QVR,ACK");
    EXPECT_EQ(AskText("EW,0,424F5245*"), "$QVR,NAK");
}

TEST_F(EngineTest, BinaryAnswerCarriesItsBlockHighByteFirst) {
    parser.SetBinaryCommand("BLK");
    parser.SetBinLengthFormat(1);
    const ParsedFrame frame = Ask("BLK*");
    EXPECT_EQ(frame.command, "BLK");
    // L = 2 + 2 + 3 + 1: 258 big-endian, three filler bytes, -1
    EXPECT_EQ(frame.block, std::string("\x00\x08\x01\x02$*\r\xFF", 8));
}

TEST_F(EngineTest, SettingRequestIsAcknowledgedAndTaken) {
    LineParams changed;
    EXPECT_FALSE(engine->TakeLineChange(changed));
    EXPECT_EQ(AskText("COM,57600,8,ODD,2*"), "$QVR,ACK");
    ASSERT_TRUE(engine->TakeLineChange(changed));
    EXPECT_EQ(changed.baud, 57600u);
    EXPECT_EQ(changed.parity, 1);
    EXPECT_EQ(changed.stopBits, 2);
    EXPECT_FALSE(engine->TakeLineChange(changed));
    EXPECT_FALSE(engine->Accepts(LineView{9600, false, false}));
    EXPECT_TRUE(engine->Accepts(LineView{57600, true, true}));
    EXPECT_EQ(AskText("COM*"), "$QVR,COM,57600,8,ODD,2");
}

TEST_F(EngineTest, ProbeReportsWhatTheLineShowsWhenAnySettingGoes) {
    engine->SetSeen(LineView{38400, true, false});
    EXPECT_EQ(AskText("COM*"), "$QVR,COM,38400,8,ODD,1");
}

TEST_F(EngineTest, BadChecksumGetsNakOtherDamageNothing) {
    std::string bad = Framed("RUN*");
    bad[bad.size() - 3] ^= 0x01;  // a checksum digit
    Feed(bad);
    Feed("$XYZ,RUN*00\r\n");  // another header: not for this device
    Feed("noise without a dollar\r\n");
    Feed(Framed("ACK*") + Framed("NAK*"));  // replies are never answered
    ASSERT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(recorder.frames[0].command, "NAK");
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(EngineTest, FrameSplitAcrossReadsIsAnswered) {
    const std::string line = Framed("STS*");
    for (char c : line) Feed(std::string(1, c));
    ASSERT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(recorder.frames[0].command, "STS");
}

TEST_F(EngineTest, ResetDropsAPartialFrame) {
    const std::string line = Framed("STS*");
    Feed(line.substr(0, 6));
    engine->ResetParser();
    Feed(line.substr(6));
    EXPECT_TRUE(recorder.frames.empty());
    Feed(line);
    EXPECT_EQ(recorder.frames.size(), 1u);
}

TEST_F(EngineTest, SilentAnswersNothingAndNakWritesRefusesWrites) {
    profile.m_faults.silent = true;
    Feed(Framed("STS*") + Framed("EB,120,1*"));
    EXPECT_TRUE(wire.empty());
    profile.m_faults.silent = false;
    profile.m_faults.nakWrites = true;
    EXPECT_EQ(AskText("EB,120,1*"), "$QVR,NAK");
    EXPECT_EQ(AskText("DB,120*").substr(0, 11), "$QVR,DB,0,0");
}

TEST_F(EngineTest, DelayedReplyComesDueLaterInOrder) {
    profile.m_faults.delayMs = 250;
    Feed(Framed("STS*") + Framed("RUN*"), 1.0);
    EXPECT_TRUE(recorder.frames.empty());
    EXPECT_DOUBLE_EQ(engine->NextDue(), 1.25);
    engine->SendUnsolicited(*profile.FindAnswer("MONA"), 1.1);  // waits behind them
    Drain(1.2);
    EXPECT_TRUE(recorder.frames.empty());
    Drain(1.25);
    ASSERT_EQ(recorder.frames.size(), 3u);
    EXPECT_EQ(recorder.frames[0].command, "STS");
    EXPECT_EQ(recorder.frames[1].command, "ACK");
    EXPECT_EQ(recorder.frames[2].command, "MONA");
    EXPECT_LT(engine->NextDue(), 0.0);
}

TEST_F(EngineTest, ProfileWithOtherHeadersAnswersInItsOwn) {
    dir.Write("DEVICE.INI", "[DEVICE]\nSEND_HEADER=$DEV\nRECEIVE_HEADER=$PC\n");
    CDeviceProfile other;
    std::vector<std::string> problems;
    ASSERT_TRUE(other.Load(dir.Path(), problems));
    CDeviceEngine device(other);
    const std::string request = BuildCommandLine("$PC", "RUN*");
    device.Receive(reinterpret_cast<const uint8_t*>(request.data()), request.size(), 0.0);
    std::string out;
    device.TakeDue(0.0, out);
    EXPECT_EQ(out, BuildCommandLine("$DEV", "ACK*"));
}

}  // namespace
}  // namespace quelda::test
