#include <gtest/gtest.h>

#include "routing/Routing.h"

namespace quelda {
namespace {

using K = WindowKind;

struct ViewCase {
    const char* name;
    std::vector<ViewInfo> views;
    std::string command;
    std::string frameText;
    std::string prefix;
    std::vector<UpdateHint> expected;
};

class ViewBroadcastsTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ViewBroadcastsTest, HintsInViewOrder) {
    const ViewCase& c = GetParam();
    EXPECT_EQ(ViewBroadcasts(c.views, c.command, c.frameText, c.prefix), c.expected);
}

const std::string kMonText = "$QVR,MON1,5*00\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewBroadcastsTest,
    ::testing::Values(
        ViewCase{"LongerAndShorterPrefixBothTake",
                 {{K::Monitor1, "MON"}, {K::Monitor2, "MO"}},
                 "MON1",
                 kMonText,
                 "",
                 {hintMonitor1, hintMonitor2}},
        ViewCase{"ReceivedShorterThanRequestDoesNotMatch",
                 {{K::Monitor1, "MONX"}, {K::Status, "MON1X"}},
                 "MON1",
                 kMonText,
                 "",
                 {}},
        ViewCase{"EmptyRequestTakesEverything",
                 {{K::Monitor1, ""}, {K::Monitor3, ""}, {K::Status, ""}},
                 "ZZ",
                 kMonText,
                 "",
                 {hintMonitor1, hintMonitor3, hintStatus}},
        ViewCase{"CaseMatters", {{K::Monitor2, "mon"}}, "MON1", kMonText, "", {}},
        ViewCase{"Monitor4IgnoresItsCommand",
                 {{K::Monitor4, "NEVER"}},
                 "MON1",
                 kMonText,
                 "",
                 {hintMonitor4}},
        ViewCase{"OrderFollowsTheViews",
                 {{K::Status, "M"}, {K::Monitor4, ""}, {K::Monitor1, "M"}},
                 "MON1",
                 kMonText,
                 "",
                 {hintStatus, hintMonitor4, hintMonitor1}},
        ViewCase{
            "TermAndEepromTakeNothing", {{K::Term, ""}, {K::Eeprom, ""}}, "DW", kMonText, "", {}},
        ViewCase{"SimulatorEmptyPrefixTakesAll",
                 {{K::Simulator, "MON"}},
                 "X",
                 kMonText,
                 "",
                 {hintSimulator}},
        ViewCase{"SimulatorPrefixOnFrameText",
                 {{K::Simulator, ""}},
                 "MON1",
                 kMonText,
                 "$QVR,MON",
                 {hintSimulator}},
        ViewCase{
            "SimulatorPrefixIsNotTheCommand", {{K::Simulator, ""}}, "MON1", kMonText, "MON", {}},
        ViewCase{"SimulatorPrefixLongerThanText",
                 {{K::Simulator, ""}},
                 "MON1",
                 "$QVR",
                 "$QVR,MON1",
                 {}}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return info.param.name; });

TEST(ReplyHintTest, ByExactCommand) {
    const std::vector<std::pair<std::string, UpdateHint>> cases = {
        {"DW", hintEeprom}, {"DB", hintEeprom}, {"ACK", hintAck},   {"NAK", hintNak},
        {"SUM", hintReply}, {"COM", hintReply}, {"ACK1", hintNone}, {"ack", hintNone},
        {"D", hintNone},    {"", hintNone},     {"COMX", hintNone}};
    for (const auto& [command, hint] : cases) {
        EXPECT_EQ(ReplyHint(command), hint) << command;
    }
}

}  // namespace
}  // namespace quelda
