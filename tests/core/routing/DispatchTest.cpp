// Routing of received frames and the reply wait, with the timers driven by
// the test.
#include "support/CoreFixture.h"

namespace quelda::test {
namespace {

using K = WindowKind;
using Hints = std::vector<int>;

class DispatchTest : public CoreTest {
protected:
    // A waiting send answered by "ACK": the wait is over and a late expiry of
    // the reply timer says nothing.
    void ExpectAckEndsTheWait() {
        ASSERT_EQ(core->SendSettingRequest("9600", "8", "NO", "1"), 1);
        Feed(Text("ACK"));
        EXPECT_FALSE(host.TimerRunning(CMainCore::kReplyTimerId));
        EXPECT_FALSE(core->ReplyWait());
        core->OnTimer(CMainCore::kReplyTimerId);
        EXPECT_TRUE(host.messages.empty());
    }
};

TEST_F(DispatchTest, PrefixRoutingGivesBothMonitorsTheFrame) {
    host.views = {{K::Term, ""}, {K::Monitor1, "MON"}, {K::Monitor2, "MO"}, {K::Status, "MONX"}};
    const std::string frame = Text("MON1,5,6");
    Feed(frame);
    EXPECT_EQ(host.broadcasts,
              (std::vector<BroadcastRecord>{{hintMonitor1, frame}, {hintMonitor2, frame}}));
}

TEST_F(DispatchTest, Monitor3GetsTheBlockWithItsLengthBytes) {
    host.views = {{K::Monitor3, "BIN"}, {K::Monitor4, ""}};
    const Binary bin = Bin(Len(7, 0), std::string("$*\r\n\0", 5));
    Feed(bin.wire);
    ASSERT_EQ(host.Hints(), (Hints{hintMonitor3, hintMonitor4}));
    EXPECT_EQ(host.broadcasts[0].data, bin.block);
    EXPECT_EQ(host.broadcasts[0].data.substr(0, 2), std::string("\x07\x00", 2));
    EXPECT_EQ(host.broadcasts[1].data, bin.text);
}

TEST_F(DispatchTest, BinaryCommandCanBeRenamed) {
    host.views = {{K::Monitor3, "MB"}};
    core->SetBinaryCommand("MB");
    EXPECT_EQ(core->BinaryCommand(), "MB");
    const Binary bin = Bin(Len(4, 0), "AB", "", "MB");
    Feed(bin.wire);
    ASSERT_EQ(host.Hints(), (Hints{hintMonitor3}));
    EXPECT_EQ(host.broadcasts[0].data, bin.block);
}

TEST_F(DispatchTest, ReplyCommandsBroadcastAfterTheViews) {
    host.views = {{K::Monitor4, ""}};
    const std::vector<std::pair<std::string, Hints>> cases = {
        {"DW,100,1", {hintMonitor4, hintEeprom}},
        {"DB,100,1", {hintMonitor4, hintEeprom}},
        {"SUM", {hintMonitor4, hintReply}},
        {"COM", {hintMonitor4, hintReply}},
        {"ACK", {hintMonitor4, hintAck}},
        {"NAK", {hintMonitor4, hintNak}},
        {"XYZ", {hintMonitor4}}};
    for (const auto& [body, hints] : cases) {
        host.broadcasts.clear();
        Feed(Text(body));
        EXPECT_EQ(host.Hints(), hints) << body;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.asks.empty());
}

TEST_F(DispatchTest, SimulatorPrefixSelectsFrames) {
    host.views = {{K::Simulator, ""}};
    core->SetSimulatorPrefix("$QVR,REQ");
    Feed(Text("REQ,1") + Text("OTHER"));
    EXPECT_EQ(host.Hints(), (Hints{hintSimulator}));
    core->SetSimulatorPrefix("");
    Feed(Text("OTHER"));
    EXPECT_EQ(host.Hints(), (Hints{hintSimulator, hintSimulator}));
}

TEST_F(DispatchTest, AckWithoutAWaitIsHarmless) {
    Feed(Text("ACK"));
    EXPECT_EQ(host.Hints(), (Hints{hintAck}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(core->SendCommand("X", 0), 1);
}

TEST_F(DispatchTest, ReplyTimeoutClearsTheWaitAndTheNextSendWorks) {
    ASSERT_EQ(core->SendSettingRequest("38400", "8", "EVEN", "1"), 1);
    EXPECT_EQ(host.sent.back(), Text("COM,38400,8,EVEN,1"));
    EXPECT_EQ(host.timers, (std::map<int, int>{{1, 500}}));
    EXPECT_EQ(core->SendCommand("X", 0), 0);

    core->OnTimer(CMainCore::kReplyTimerId);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Receive timeout occurred"});
    EXPECT_TRUE(host.timers.empty());
    EXPECT_FALSE(core->ReplyWait());
    EXPECT_EQ(core->SendCommand("X", 0), 1);
}

TEST_F(DispatchTest, AckEndsTheWaitAndALateExpiryIsIgnored) {
    host.views = {{K::Term, ""}};
    ExpectAckEndsTheWait();
    EXPECT_EQ(host.Hints(), (Hints{hintAck}));
}

TEST_F(DispatchTest, NakWarnsOnlyWhileWaiting) {
    Feed(Text("NAK"));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(core->SendSettingRequest("9600", "8", "NO", "1"), 1);
    Feed(Text("NAK"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"It has received a NAK"});
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReplyTimerId));
    EXPECT_FALSE(core->ReplyWait());
    EXPECT_EQ(host.Hints(), (Hints{hintNak, hintNak}));
}

TEST_F(DispatchTest, ComOutsideASearchOnlyBroadcasts) {
    host.views = {{K::Term, ""}, {K::Eeprom, ""}};
    ASSERT_EQ(core->SendCommand("COM*", 1), 1);
    Feed(Text("COM"));
    EXPECT_EQ(host.Hints(), (Hints{hintReply}));
    EXPECT_TRUE(host.asks.empty());
    EXPECT_TRUE(core->ReplyWait());
}

// With every window closed the replies still end the wait: an "ACK" that
// arrived must not be followed by a time-out message.
TEST_F(DispatchTest, RepliesAreHandledWithNoWindowOpen) {
    host.hasDocument = false;
    host.views = {{K::Monitor4, ""}};
    ExpectAckEndsTheWait();

    ASSERT_EQ(core->SendSettingRequest("9600", "8", "NO", "1"), 1);
    Feed(Text("NAK"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"It has received a NAK"});
    EXPECT_TRUE(host.broadcasts.empty());
}

TEST_F(DispatchTest, ErroneousFramesAreNeverDispatched) {
    host.views = {{K::Monitor4, ""}};
    std::string bad = Text("ACK");
    bad.replace(bad.size() - 4, 2, bad[bad.size() - 4] == '0' ? "10" : "00");
    ASSERT_EQ(core->SendSettingRequest("9600", "8", "NO", "1"), 1);
    Feed(bad + Text("ACK", "$ZZZ"));
    EXPECT_TRUE(host.broadcasts.empty());
    EXPECT_TRUE(core->ReplyWait());
    EXPECT_EQ(host.receiveErrors,
              (std::vector<std::string>{"Reception checksum error", "Received header error"}));
}

// ---- the automatic search without a device: every open fails ----------------

class SearchStepsTest : public CoreTest {
protected:
    void SetUp() override {
        dir.Write("PSETTING.TXT", dir.File("no-such-port") + "\r\n4800\r\n7\r\nEVEN\r\n2\r\n");
        Reload();
    }
};

TEST_F(SearchStepsTest, ExhaustedTableEndsWithCouldNotConnect) {
    core->StartSearch();
    for (int step = 1; step < 15; ++step) {
        ASSERT_TRUE(core->SearchRunning()) << step;
        EXPECT_EQ(host.timers.at(CMainCore::kSearchTimerId), 500);
        core->OnTimer(CMainCore::kSearchTimerId);
    }
    EXPECT_EQ(core->SearchIndex(), 15);
    core->OnTimer(CMainCore::kSearchTimerId);
    EXPECT_FALSE(core->SearchRunning());
    EXPECT_FALSE(core->ReplyWait());
    ASSERT_EQ(host.messages.size(), 16u);
    EXPECT_EQ(host.messages.front(), "COM port open error");
    EXPECT_EQ(host.prompts.front().kind, PromptKind::Error);
    EXPECT_EQ(host.prompts.front().caption, "error");
    EXPECT_EQ(host.messages.back(), "could not connect");
    // Every probe counts as sent on the closed channel.
    ASSERT_EQ(host.sent.size(), 15u);
    EXPECT_EQ(host.sent.front(), Text("COM"));
    // The user's own settings come back, not the last probe's, so the next
    // OK of the settings dialog cannot save a setting nobody chose.
    const LineSettings after = core->GetLineSettings();
    EXPECT_EQ(after, (LineSettings{dir.File("no-such-port"), "4800", "7", "EVEN", "2"}));
    EXPECT_FALSE(core->IsConnected());
    EXPECT_EQ(core->StatusText(), dir.File("no-such-port") + " disconnected");
}

TEST_F(SearchStepsTest, TableOrderAndSavingAfterYes) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"9600", "NO"},    {"9600", "ODD"},   {"9600", "EVEN"}, {"19200", "NO"},
        {"19200", "ODD"},  {"19200", "EVEN"}, {"38400", "NO"},  {"38400", "ODD"},
        {"38400", "EVEN"}, {"57600", "NO"},   {"57600", "ODD"}};
    core->StartSearch();
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(core->GetLineSettings().baud, table[i].first) << i;
        EXPECT_EQ(core->GetLineSettings().parity, table[i].second) << i;
        EXPECT_EQ(core->StatusText(), "searching " + table[i].first + " 8 " + table[i].second +
                                          " 1 (" + std::to_string(i + 1) + "/15)");
        if (i + 1 < table.size()) core->OnTimer(CMainCore::kSearchTimerId);
    }
    host.answer = true;
    Feed(Text("COM"));
    EXPECT_EQ(host.asks,
              std::vector<std::string>{"It was connected . Do you want to save the settings?"});
    EXPECT_FALSE(core->SearchRunning());
    EXPECT_FALSE(host.TimerRunning(CMainCore::kSearchTimerId));
    EXPECT_FALSE(core->ReplyWait());
    EXPECT_EQ(dir.Read("PSETTING.TXT"),
              dir.File("no-such-port") + "\r\n57600\r\n8\r\nODD\r\n1\r\n");
    // A stale expiry after the answer starts no further step.
    core->OnTimer(CMainCore::kSearchTimerId);
    EXPECT_EQ(core->GetLineSettings().baud, "57600");
}

TEST_F(SearchStepsTest, NoKeepsTheFile) {
    core->StartSearch();
    host.answer = false;
    Feed(Text("COM"));
    EXPECT_EQ(host.asks.size(), 1u);
    EXPECT_EQ(dir.Read("PSETTING.TXT"),
              dir.File("no-such-port") + "\r\n4800\r\n7\r\nEVEN\r\n2\r\n");
}

}  // namespace
}  // namespace quelda::test
