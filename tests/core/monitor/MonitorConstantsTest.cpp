#include <gtest/gtest.h>

#include "monitor/MonitorConstants.h"

namespace quelda {
namespace {

TEST(MonitorConstants, AWindowKindFindsItsMonitorAndAnyOtherKindMonitor1) {
    const WindowKind monitors[] = {WindowKind::Monitor1, WindowKind::Monitor2, WindowKind::Monitor3,
                                   WindowKind::Monitor4};
    for (int number = 1; number <= 4; ++number) {
        EXPECT_EQ(&GetMonitorConstants(monitors[number - 1]), &GetMonitorConstants(number));
        EXPECT_EQ(GetMonitorConstants(monitors[number - 1]).number, number);
    }
    for (WindowKind other :
         {WindowKind::Term, WindowKind::Status, WindowKind::Eeprom, WindowKind::Simulator}) {
        EXPECT_EQ(GetMonitorConstants(other).number, 1);
    }
}

}  // namespace
}  // namespace quelda
