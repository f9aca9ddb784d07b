// The automatic search against the virtual device, which answers the probe
// only at its own line settings. The test plays the search timer.
#include "support/ChildProcess.h"
#include "support/CoreFixture.h"

namespace quelda::test {
namespace {

class DeviceSearchTest : public CoreTest {
protected:
    void SetUp() override {
        const std::string program = std::string(QUELDA_BIN_DIR) + "/quelda-device";
        if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "quelda-device is not built";
        ASSERT_TRUE(device.Start(program, {"--baud", "57600", "--parity", "ODD"}));
        const std::string first = device.ReadLine();
        ASSERT_EQ(first.rfind("PTY ", 0), 0u) << first;
        port = first.substr(4);
        dir.Write("PSETTING.TXT", port + "\r\n19200\r\n8\r\nNO\r\n1\r\n");
        Reload();
    }

    ChildProcess device;
    std::string port;
};

TEST_F(DeviceSearchTest, FoundAtTheEleventhStepAndSavedAfterYes) {
    host.answer = true;
    core->StartSearch();
    int step = 1;
    // A step that gets no "COM" within 300 ms is over: fire its timer.
    while (core->SearchRunning() && step <= 15) {
        // The open port of a step is not yet "connected".
        EXPECT_EQ(core->StatusText().rfind("searching ", 0), 0u) << core->StatusText();
        if (!PumpUntil([&] { return !core->SearchRunning(); }, 300)) {
            core->OnTimer(CMainCore::kSearchTimerId);
            ++step;
        }
    }
    EXPECT_EQ(step, 11);
    EXPECT_TRUE(core->IsConnected());
    EXPECT_FALSE(core->ReplyWait());
    EXPECT_EQ(host.asks,
              std::vector<std::string>{"It was connected . Do you want to save the settings?"});
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(dir.Read("PSETTING.TXT"), port + "\r\n57600\r\n8\r\nODD\r\n1\r\n");
    EXPECT_EQ(core->StatusText(), port + " 57600 8O1 connected");

    // The channel works at the found settings.
    ASSERT_EQ(core->SendSettingRequest("57600", "8", "ODD", "1"), 1);
    EXPECT_TRUE(PumpUntil([&] { return !core->ReplyWait(); }, 2000));
    EXPECT_FALSE(host.TimerRunning(CMainCore::kReplyTimerId));
}

}  // namespace
}  // namespace quelda::test
