// Sending lines, commands and command buttons on a closed channel: the
// lines still count as sent, show in the terminal and reach the hooks.
#include "support/CoreFixture.h"

namespace quelda::test {
namespace {

class SendTest : public CoreTest {};

TEST_F(SendTest, LinesAndCommandsAreCompleted) {
    struct Case {
        bool command;
        std::string text;
        std::string line;
    };
    const std::vector<Case> cases = {
        {false, "$QVR,X,1*", "$QVR,X,1*" + Hex2(Xor("QVR,X,1")) + kCrLf},
        {false, "abc", "abc" + kCrLf},
        {false, "A,B*", "A,B*" + Hex2(Xor("A,B")) + kCrLf},
        {true, "RUN,1*", "$QVR,RUN,1*" + Hex2(Xor("QVR,RUN,1")) + kCrLf},
        {true, "RUN,1", "$QVR,RUN,1" + kCrLf},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        host.lines.clear();
        EXPECT_EQ(c.command ? core->SendCommand(c.text, 0) : core->SendLine(c.text, 0), 1);
        EXPECT_EQ(host.sent, std::vector<std::string>{c.line}) << c.text;
        EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineSent, c.line}})) << c.text;
    }
    // The send-side example: $A,B* gets 2F.
    EXPECT_EQ(core->SendLine("$A,B*", 0), 1);
    EXPECT_EQ(host.sent.back(), "$A,B*2F\r\n");
}

TEST_F(SendTest, RefusalsSendNothing) {
    EXPECT_EQ(core->SendLine("", 0), 0);
    EXPECT_EQ(core->SendCommand("", 0), 0);
    EXPECT_TRUE(host.sent.empty());

    EXPECT_EQ(core->SendLine("$QVR,X*", 1), 1);
    EXPECT_TRUE(core->ReplyWait());
    EXPECT_EQ(core->SendLine("$QVR,Y*", 0), 0);
    EXPECT_EQ(core->SendCommand("Y", 0), 0);
    EXPECT_EQ(core->SendSettingRequest("9600", "8", "NO", "1"), 0);
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReplyTimerId));
    EXPECT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.lines.size(), 1u);

    core->ClearReplyWait();
    EXPECT_EQ(core->SendCommand("Y", 0), 1);
}

TEST_F(SendTest, HeaderFromTheIniFile) {
    dir.Write("QUELDA.INI", "[COMMAND]\nSEND_HEDDA=$AB\n");
    Reload();
    EXPECT_EQ(core->SendCommand("X*", 0), 1);
    EXPECT_EQ(host.sent.back(), "$AB,X*" + Hex2(Xor("AB,X")) + kCrLf);
    // A header without "$" puts its first byte into the checksum.
    dir.Write("QUELDA.INI", "[COMMAND]\nSEND_HEDDA=AB\n");
    Reload();
    EXPECT_EQ(core->SendCommand("X*", 0), 1);
    EXPECT_EQ(host.sent.back(), "AB,X*" + Hex2(Xor("AB,X")) + kCrLf);
}

class ButtonTest : public CoreTest {
protected:
    void SetUp() override {
        dir.Write("COMMAND2.TXT",
                  "Start,RUN,1,,5,,,0,1\r\n"  // parameters stop at the first empty one
                  "Plain,GO,a,b,c,d,e,0,0\r\n"
                  "Acked,SET,7,,,,,1,1\r\n"
                  "Empty,,,,,,,0,0\r\n");
        Reload();
    }
};

TEST_F(ButtonTest, RecordTexts) {
    ASSERT_EQ(core->CommandRecords().size(), 4u);
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "$QVR,RUN,1*" + Hex2(Xor("QVR,RUN,1")) + kCrLf},
        {1, "$QVR,GO,a,b,c,d,e" + kCrLf},
    };
    for (const auto& [index, line] : cases) {
        EXPECT_EQ(core->SendButtonCommand(index), 1);
        EXPECT_EQ(host.sent.back(), line) << index;
    }
    EXPECT_TRUE(host.timers.empty());
    EXPECT_FALSE(core->ReplyWait());
}

TEST_F(ButtonTest, MissingRecordsAndEmptyCommandsDoNothing) {
    // Index 3 has no command text: the empty text is refused.
    for (int index : {-1, 3, 4, 19, 1000}) EXPECT_EQ(core->SendButtonCommand(index), 0) << index;
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(ButtonTest, AckCheckWaitsWithTheReplyTimer) {
    EXPECT_EQ(core->SendButtonCommand(2), 1);
    EXPECT_EQ(host.sent.back(), "$QVR,SET,7*" + Hex2(Xor("QVR,SET,7")) + kCrLf);
    EXPECT_TRUE(core->ReplyWait());
    EXPECT_EQ(host.timers, (std::map<int, int>{{1, 500}}));
    Feed(Text("ACK"));
    EXPECT_TRUE(host.timers.empty());
    EXPECT_FALSE(core->ReplyWait());
}

TEST_F(ButtonTest, RefusedButtonStartsNoTimer) {
    ASSERT_EQ(core->SendLine("$QVR,X*", 1), 1);
    EXPECT_EQ(core->SendButtonCommand(2), 0);
    EXPECT_TRUE(host.timers.empty());
    EXPECT_EQ(host.sent.size(), 1u);
}

}  // namespace
}  // namespace quelda::test
