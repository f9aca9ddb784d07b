// The core over a real channel on a pseudo-terminal: notifications, line
// errors, bursts, the order of the traffic log, a port that goes away.
#include <termios.h>

#include <filesystem>
#include <regex>
#include <thread>

#include "comm/LineErrors.h"
#include "support/CoreFixture.h"
#include "support/PtyPair.h"

namespace quelda::test {
namespace {

using K = WindowKind;

class ChannelTest : public CoreTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        // The port is named through a link, so a new terminal can take its place.
        std::filesystem::create_symlink(pty.Path(), dir.File("port"));
        dir.Write("PSETTING.TXT", dir.File("port") + "\r\n");
        Reload();
        core->Connect();
        ASSERT_TRUE(core->IsConnected());
    }

    PtyPair pty;
};

TEST_F(ChannelTest, ConnectNamesThePortAndNotifies) {
    EXPECT_EQ(host.title, "Quelda " + dir.File("port"));
    EXPECT_EQ(host.connectionChanges, 1);
    EXPECT_TRUE(host.messages.empty());
    core->Disconnect();
    EXPECT_FALSE(core->IsConnected());
    EXPECT_EQ(host.connectionChanges, 2);
}

TEST_F(ChannelTest, SentLinesReachTheLine) {
    ASSERT_EQ(core->SendCommand("X,1*", 0), 1);
    EXPECT_EQ(pty.Read(host.sent.back().size()), host.sent.back());
}

TEST_F(ChannelTest, ABurstIsDeliveredCompletely) {
    host.views = {{K::Monitor4, ""}};
    std::string burst;
    for (int i = 0; i < 400; ++i) burst += Text("MON," + std::to_string(i));
    ASSERT_GT(burst.size(), 5000u);
    ASSERT_TRUE(pty.Write(burst));
    ASSERT_TRUE(PumpUntil([&] { return host.broadcasts.size() == 400; }));
    EXPECT_EQ(host.broadcasts.back().data, Text("MON,399"));
    EXPECT_TRUE(host.receiveErrors.empty());
}

// A notification reads a bounded amount and posts itself again for the rest,
// so a flood does not starve the host's event loop.
TEST_F(ChannelTest, AFloodIsReadInBoundedSlices) {
    host.views = {{K::Monitor4, ""}};
    const std::string frame = Text("MON,0123456789");
    const std::size_t count = 600 * 1024 / frame.size();
    std::string flood;
    for (std::size_t i = 0; i < count; ++i) flood += frame;
    ASSERT_TRUE(pty.Write(flood));
    // Let the receive thread queue everything before the first notification runs.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    uint32_t errors = 0;
    while (core->ChannelStatus(errors) < flood.size() &&
           std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(errors, 0u);
    const int posted = host.posted.load();
    core->OnCommNotify();
    EXPECT_LT(host.broadcasts.size(), count);
    EXPECT_GT(host.posted.load(), posted);
    ASSERT_TRUE(PumpUntil([&] { return host.broadcasts.size() == count; }));
    EXPECT_TRUE(host.receiveErrors.empty());
    EXPECT_TRUE(host.lineErrors.empty());
}

TEST_F(ChannelTest, LineErrorsAreLoggedAndShownInTableOrder) {
    core->InjectLineErrors(CE_RXPARITY | CE_FRAME);
    core->OnCommNotify();
    const std::vector<std::string> texts = {"Hardware has detected a framing error",
                                            "Hardware has detected a parity error"};
    EXPECT_EQ(host.lineErrors, texts);
    EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineError, texts[0]}, {kLineError, texts[1]}}));
    const std::regex line(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,(.*)\r\n)");
    const std::string log = dir.Read("COMMERR.LOG");
    std::vector<std::string> logged;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), line); it != std::sregex_iterator();
         ++it) {
        logged.push_back((*it)[1]);
    }
    EXPECT_EQ(logged, texts);
    EXPECT_EQ(log.substr(0, 20), log.substr(log.find("\r\n") + 2, 20));  // one time stamp
}

TEST_F(ChannelTest, LineErrorsWithErrorDisplayOffOnlyGoToTheLog) {
    core->SetErrorDisplay(false);
    core->InjectLineErrors(CE_BREAK);
    core->OnCommNotify();
    EXPECT_TRUE(host.lines.empty());
    EXPECT_NE(dir.Read("COMMERR.LOG").find("The hardware detected a break condition"),
              std::string::npos);
}

// A response sent from inside a broadcast lands in the log after the bytes
// that caused it and before the bytes that came after.
TEST_F(ChannelTest, TrafficLogFollowsTheOrderOfEvents) {
    host.views = {{K::Simulator, ""}};
    core->SetSimulatorPrefix("$QVR,REQ");
    host.onBroadcast = [&](int hint) {
        if (hint == hintSimulator) core->SendLine("$QVR,RES*", 0);
    };
    core->SetLogging(true, dir.File("T.LOG"));
    const std::string request = Text("REQ"), other = Text("OTHER");
    ASSERT_TRUE(pty.Write(request + other + request));
    ASSERT_TRUE(PumpUntil([&] { return host.sent.size() == 2; }));
    const std::string response = host.sent[0];
    EXPECT_EQ(dir.Read("T.LOG"), request + response + other + request + response);
    EXPECT_EQ(pty.Read(2 * response.size()), response + response);
}

// A port that goes away is reported, and once a port is back under its name
// Disconnect and Connect work again.
TEST_F(ChannelTest, VanishedPortIsReportedAndCanBeReopened) {
    pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !host.lineErrors.empty(); }))
        << "no line error after the port went away";
    EXPECT_EQ(host.lineErrors.front(), "I / O error occurred while communicating with the device");
    // No storm of notifications afterwards.
    const int before = host.posted.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_LE(host.posted.load() - before, 1);
    EXPECT_EQ(core->SendCommand("X", 0), 1);

    core->Disconnect();
    PtyPair again;
    ASSERT_TRUE(again.Ok());
    std::filesystem::remove(dir.File("port"));
    std::filesystem::create_symlink(again.Path(), dir.File("port"));
    core->Connect();
    ASSERT_TRUE(core->IsConnected());
    host.views = {{K::Monitor4, ""}};
    ASSERT_TRUE(again.Write(Text("ACK")));
    EXPECT_TRUE(PumpUntil([&] { return host.broadcasts.size() == 2; }));
}

// A hang-up closes the port as Disconnect would, and the port is opened
// again, silently, on the first one-second tick after it is back.
TEST_F(ChannelTest, HungUpPortIsClosedAndReopenedOnceItIsBack) {
    const std::string port = dir.File("port");
    pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !core->IsConnected(); })) << "still connected";
    const std::string lost = "I / O error occurred while communicating with the device";
    EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineError, lost}}));
    EXPECT_EQ(host.connectionChanges, 2);
    EXPECT_TRUE(core->Reconnecting());
    EXPECT_EQ(host.timers.at(CMainCore::kReconnectTimerId), 1000);
    EXPECT_EQ(core->StatusText(), port + " reconnecting\u2026");

    std::filesystem::remove(port);
    core->OnTimer(CMainCore::kReconnectTimerId);
    core->OnTimer(CMainCore::kReconnectTimerId);
    EXPECT_FALSE(core->IsConnected());
    EXPECT_TRUE(host.messages.empty()) << "a box for an attempt";
    EXPECT_TRUE(host.openFailures.empty());
    EXPECT_TRUE(host.TimerRunning(CMainCore::kReconnectTimerId));

    PtyPair again;
    ASSERT_TRUE(again.Ok());
    std::filesystem::create_symlink(again.Path(), port);
    core->OnTimer(CMainCore::kReconnectTimerId);
    ASSERT_TRUE(core->IsConnected());
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReconnectTimerId));
    EXPECT_EQ(host.lines, (std::vector<TermLine>{{kLineError, lost},
                                                 {kLineError, "Reconnected to " + port}}));
    EXPECT_EQ(host.title, "Quelda " + port);
    EXPECT_EQ(core->StatusText(), port + " 19200 8N1 connected");
    struct termios t {};
    ASSERT_EQ(tcgetattr(again.Master(), &t), 0);
    EXPECT_EQ(cfgetispeed(&t), B19200) << "line settings not restored";
    host.views = {{K::Monitor4, ""}};
    ASSERT_TRUE(again.Write(Text("ACK")));
    EXPECT_TRUE(PumpUntil([&] { return host.broadcasts.size() == 2; }));
}

TEST_F(ChannelTest, DisconnectOrTheSettingOffEndsTheAttempts) {
    pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !core->IsConnected(); }));
    ASSERT_TRUE(core->Reconnecting());
    core->Disconnect();
    EXPECT_FALSE(core->Reconnecting());
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReconnectTimerId));
    EXPECT_EQ(core->StatusText(), dir.File("port") + " disconnected");

    dir.Write("QUELDA.INI", "[COMMAND]\r\nAUTO_RECONNECT=0\r\n");
    PtyPair second;
    ASSERT_TRUE(second.Ok());
    std::filesystem::remove(dir.File("port"));
    std::filesystem::create_symlink(second.Path(), dir.File("port"));
    Reload();
    core->Connect();
    ASSERT_TRUE(core->IsConnected());
    second.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !core->IsConnected(); }));
    EXPECT_FALSE(core->Reconnecting());
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReconnectTimerId));
}

}  // namespace
}  // namespace quelda::test
