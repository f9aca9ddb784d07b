// The simulator object: Send in the three modes, Stop, ticks, frames, the
// settings it writes and the refused count.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "simulator/Simulator.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;

class Fakes : public ISimulatorLink, public ITimerHost, public IPromptHost {
public:
    bool SendLine(const std::string& text) override {
        (refuse ? refused : sent).push_back(text);
        return !refuse;
    }
    void SetSimulatorPrefix(const std::string& p) override { prefix = p; }
    void StartTimer(ITimerClient& owner, int id, int ms) override { timers[id] = ms; }
    void KillTimer(ITimerClient& owner, int id) override { timers.erase(id); }
    void ShowPrompt(const Prompt& prompt, std::function<void(bool)> answer) override {
        messages.push_back(prompt.text);
    }

    bool refuse = false;
    std::vector<std::string> sent, refused, messages;
    std::string prefix = "unset";
    std::map<int, int> timers;
};

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("modes.txt", "Mode,\r\nSlow,S\r\nFast,F\r\n");
        dir.Write("SIMULATOR.TXT",
                  "// comment\r\nTitle\r\n"
                  "Speed,INT,4,%d,rpm,1500,1,0,0,\r\n"
                  "Mode,STRING,1,%s,,F,,,,modes.txt\r\n");
        dir.Write("QUELDA.INI", "[SIMULATOR]\r\nSEND_HEDDA=$QVR,SM\r\nRERIOD=2\r\nCHECKSUM=1\r\n");
        sim.Load();
    }
    std::vector<SimRowInput> Inputs() const { return {sim.InitialInput(0), sim.InitialInput(1)}; }
    std::string Ini(const std::string& key) const {
        return GetProfileString(dir.File("QUELDA.INI"), "SIMULATOR", key, "<none>");
    }

    TempDir dir;
    Fakes fakes;
    CSimulator sim{fakes, fakes, fakes, dir.Path()};
};

TEST_F(SimulatorTest, LoadGivesSettingsAndRows) {
    EXPECT_EQ(sim.Settings().sendHeader, "$QVR,SM");
    EXPECT_EQ(sim.Settings().period, "2");
    EXPECT_EQ(sim.Settings().receiveHeader, "$QVR");  // default
    EXPECT_TRUE(sim.Settings().checksum);
    ASSERT_EQ(sim.Rows().size(), 2u);
    EXPECT_EQ(sim.InitialInput(0).text, "1500");
    EXPECT_EQ(sim.InitialInput(1).selection, 1);  // "Fast", value F
    EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(SimulatorTest, OnceSendsAndSavesSettingsAndValues) {
    std::vector<SimRowInput> rows = Inputs();
    rows[0].text = "987";
    rows[1].selection = 0;  // Slow
    SimulatorSettings s = sim.Settings();
    s.period = "5";
    s.receiveHeader = "$ABC";
    s.checksum = false;
    sim.Send(s, SimMode::Once, rows);
    EXPECT_EQ(fakes.sent, (std::vector<std::string>{"$QVR,SM,987,S"}));
    EXPECT_TRUE(fakes.timers.empty());
    EXPECT_EQ(fakes.prefix, "unset");
    EXPECT_TRUE(sim.Running());
    EXPECT_EQ(Ini("RERIOD"), "5");
    EXPECT_EQ(Ini("RECEIVE_HEDDA"), "$ABC");
    EXPECT_EQ(Ini("SEND_HEDDA"), "$QVR,SM");
    EXPECT_EQ(Ini("CHECKSUM"), "0");
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"),
              "// comment\r\nTitle,,,,,,,,,\r\n"
              "Speed,INT,4,%d,rpm,987,1,0,0,\r\n"
              "Mode,STRING,1,%s,,S,,,,modes.txt\r\n");
    // a later Send without changes sends the same values again
    sim.Send(s, SimMode::Once, {sim.InitialInput(0), sim.InitialInput(1)});
    EXPECT_EQ(fakes.sent.back(), "$QVR,SM,987,S");
}

TEST_F(SimulatorTest, PeriodicSendsAtOnceThenOnEveryTick) {
    sim.Send(sim.Settings(), SimMode::Periodic, Inputs());
    EXPECT_EQ(fakes.timers, (std::map<int, int>{{CSimulator::kTimerId, 500}}));
    EXPECT_EQ(sim.IntervalMs(), 500);
    sim.OnTimer(CSimulator::kTimerId);
    sim.OnTimer(CSimulator::kTimerId);
    EXPECT_EQ(fakes.sent, std::vector<std::string>(3, "$QVR,SM,1500,F*"));
    sim.OnFrame();  // not in response mode
    EXPECT_EQ(fakes.sent.size(), 3u);
    // a Send with a period that is no number sends once and leaves no timer
    SimulatorSettings s = sim.Settings();
    s.period = "fast";
    sim.Send(s, SimMode::Periodic, Inputs());
    EXPECT_TRUE(fakes.timers.empty());
    EXPECT_FALSE(sim.TimerRunning());
    EXPECT_EQ(fakes.sent.size(), 4u);
    sim.Send(sim.Settings(), SimMode::Periodic, Inputs());
    sim.Stop();
    EXPECT_TRUE(fakes.timers.empty());
    EXPECT_FALSE(sim.Running());
    EXPECT_EQ(fakes.prefix, "");
}

TEST_F(SimulatorTest, ResponseAnswersFramesUntilStop) {
    SimulatorSettings s = sim.Settings();
    s.receiveHeader = "$QVR,RQ";
    sim.Send(s, SimMode::Response, Inputs());
    EXPECT_EQ(fakes.prefix, "$QVR,RQ");
    EXPECT_TRUE(fakes.sent.empty());
    sim.OnFrame();
    sim.OnFrame();
    EXPECT_EQ(fakes.sent.size(), 2u);
    // another mode's Send keeps the prefix but ends the responses
    sim.Send(s, SimMode::Once, Inputs());
    EXPECT_EQ(fakes.prefix, "$QVR,RQ");
    sim.OnFrame();
    EXPECT_EQ(fakes.sent.size(), 3u);
    sim.Send(s, SimMode::Response, Inputs());
    sim.Stop();
    sim.OnFrame();
    EXPECT_EQ(fakes.sent.size(), 3u);
    EXPECT_EQ(fakes.prefix, "");
}

TEST_F(SimulatorTest, RefusedSendsAreCountedSinceTheLastSend) {
    sim.Send(sim.Settings(), SimMode::Periodic, Inputs());
    fakes.refuse = true;
    sim.OnTimer(CSimulator::kTimerId);
    sim.OnTimer(CSimulator::kTimerId);
    EXPECT_EQ(sim.RefusedCount(), 2);
    EXPECT_TRUE(sim.TimerRunning());  // a refusal does not stop the period
    fakes.refuse = false;
    sim.OnTimer(CSimulator::kTimerId);
    EXPECT_EQ(sim.RefusedCount(), 2);
    sim.Send(sim.Settings(), SimMode::Response, Inputs());
    EXPECT_EQ(sim.RefusedCount(), 0);
    fakes.refuse = true;
    sim.OnFrame();
    EXPECT_EQ(sim.RefusedCount(), 1);
    EXPECT_EQ(fakes.refused.size(), 3u);
}

TEST(SimulatorLoad, SurplusAndRefusedFilesAreSaidOnce) {
    TempDir dir;
    std::string text = "Title\r\n";
    for (int i = 0; i < 23; ++i) text += "P,INT,1,%d,,1,1,0,0,\r\n";
    dir.Write("SIMULATOR.TXT", text);
    Fakes fakes;
    CSimulator sim(fakes, fakes, fakes, dir.Path());
    sim.Load();
    EXPECT_EQ(sim.SurplusCount(), 3u);
    ASSERT_EQ(fakes.messages.size(), 1u);
    EXPECT_NE(fakes.messages[0].find("3 are kept in the file but ignored"), std::string::npos);
    sim.Send(sim.Settings(), SimMode::Once, {});
    // rows without an input keep column 6; 20 fields, not 23
    std::string expected = "$QVR";
    for (int i = 0; i < 20; ++i) expected += ",1";
    EXPECT_EQ(fakes.sent.back(), expected);
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"), "Title,,,,,,,,,\r\n" + text.substr(7));
    EXPECT_EQ(fakes.messages.size(), 1u);

    TempDir other;
    ASSERT_EQ(::mkdir(other.File("SIMULATOR.TXT").c_str(), 0755), 0);
    Fakes otherFakes;
    CSimulator refused(otherFakes, otherFakes, otherFakes, other.Path());
    refused.Load();
    EXPECT_TRUE(refused.FileRefused());
    ASSERT_EQ(otherFakes.messages.size(), 1u);
    EXPECT_NE(otherFakes.messages[0].find("not a regular file"), std::string::npos);
}

TEST(SimulatorLoad, MissingFileSendsTheHeaderAloneAndLongSettingsAreCut) {
    TempDir dir;
    const std::string longHeader(300, 'H');
    dir.Write("QUELDA.INI", "[SIMULATOR]\r\nSEND_HEDDA=" + longHeader + "\r\n");
    Fakes fakes;
    CSimulator sim(fakes, fakes, fakes, dir.Path());
    sim.Load();
    EXPECT_EQ(sim.Settings().sendHeader, longHeader.substr(0, 255));
    EXPECT_TRUE(sim.Rows().empty());
    SimulatorSettings s = sim.Settings();
    s.checksum = true;
    sim.Send(s, SimMode::Once, {});
    EXPECT_EQ(fakes.sent, (std::vector<std::string>{longHeader.substr(0, 255) + "*"}));
    // an empty message is not sent and not counted as refused
    s.sendHeader.clear();
    s.checksum = false;
    sim.Send(s, SimMode::Once, {});
    EXPECT_EQ(fakes.sent.size(), 1u);
    EXPECT_EQ(sim.RefusedCount(), 0);
}

}  // namespace
}  // namespace quelda
