// What the terminal is shown of received bytes and errors, and what the
// traffic log keeps.
#include "support/CoreFixture.h"

namespace quelda::test {
namespace {

class DisplayTest : public CoreTest {};

TEST_F(DisplayTest, FastDisplayShowsEachFrameOnce) {
    std::string bad = Text("X");
    bad[bad.size() - 2] = 'Z';  // CR expected
    Feed("noise" + Text("ACK") + bad);
    const std::string cut = bad.substr(0, bad.size() - 1);
    EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineReceived, Text("ACK")},
                                                 {kLineReceived, cut},
                                                 {kLineError, "Received data CR error"}}));
    EXPECT_EQ(host.replaceCalls, 0);
}

TEST_F(DisplayTest, RestartShowsNoFrameLine) {
    Feed("$QVR,DW,1" + Text("ACK"));
    EXPECT_EQ(host.lines,
              (std::vector<TermLine>{{kLineError, "During the reception command $ receive error"},
                                     {kLineReceived, Text("ACK")}}));
}

TEST_F(DisplayTest, SlowDisplayGrowsOneLinePerFrame) {
    core->SetFastDisplay(false);
    const std::string first = Text("A");
    Feed(first + std::string("x\0y", 3));
    EXPECT_EQ(host.lines,
              (std::vector<TermLine>{{kLineReceived, first}, {kLineReceived, "x\x01y"}}));
    // One AddLine per display line, a ReplaceLast for every further byte.
    EXPECT_EQ(host.replaceCalls, static_cast<int>(first.size() - 1 + 2));
}

TEST_F(DisplayTest, SlowDisplayKeepsBytesBetweenFramesOnTheLine) {
    core->SetFastDisplay(false);
    Feed("\r\n" + Text("B"));
    EXPECT_EQ(host.lines,
              (std::vector<TermLine>{{kLineReceived, "\r\n"}, {kLineReceived, Text("B")}}));
}

TEST_F(DisplayTest, ErrorDisplayOffHidesErrorsButNotTheHook) {
    core->SetErrorDisplay(false);
    Feed(Text("ACK", "$ABC"));
    EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineReceived, "$ABC,"}}));
    EXPECT_EQ(host.receiveErrors, std::vector<std::string>{"Received header error"});
}

TEST_F(DisplayTest, TrafficLogKeepsSentAndReceivedBytesInOrder) {
    const std::string log = dir.File("26010100.LOG");
    core->SetLogging(true, log);
    EXPECT_TRUE(core->Logging());
    EXPECT_EQ(core->LogFileName(), log);
    ASSERT_EQ(core->SendCommand("X*", 0), 1);
    const std::string frame = Text("ACK");
    Feed("z" + frame);
    core->WriteRaw({'r', 'a', 'w'});
    core->SetLogging(false, "");
    Feed(Text("SUM"));
    EXPECT_EQ(core->SendCommand("Y", 0), 1);
    EXPECT_EQ(dir.Read("26010100.LOG"),
              "$QVR,X*" + Hex2(Xor("QVR,X")) + kCrLf + "z" + frame + "raw");
}

TEST_F(DisplayTest, TrafficLogAppendsAndIgnoresFileErrors) {
    dir.Write("L.LOG", "old");
    core->SetLogging(true, dir.File("L.LOG"));
    Feed("ab");
    core->SetLogging(true, dir.File("missing-dir/L.LOG"));
    Feed("cd");
    EXPECT_EQ(core->SendLine("e", 0), 1);
    EXPECT_EQ(dir.Read("L.LOG"), "oldab");
}

}  // namespace
}  // namespace quelda::test
