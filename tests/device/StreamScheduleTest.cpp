// Unasked frames: how many are due, and what happens when they cannot go.
#include "DeviceTestSupport.h"
#include "device/StreamSchedule.h"

namespace quelda::test {
namespace {

TEST(StreamScheduleTest, SendsTheRateWithoutDriftAndDropsWhatCannotGo) {
    CDeviceAnswer fast;
    CDeviceAnswer slow;
    CStreamSchedule schedule;
    schedule.Add(fast, 1000.0, 10.0);
    schedule.Add(slow, 2.0, 10.0);
    schedule.Add(slow, 0.0, 10.0);  // no rate: no stream
    int fastSent = 0;
    int slowSent = 0;
    auto send = [&](CDeviceAnswer& a) { ++(&a == &fast ? fastSent : slowSent); };

    schedule.Run(9.0, 100000, false, send);
    EXPECT_EQ(fastSent + slowSent, 0);
    schedule.Run(10.0, 100000, false, send);  // the first frame goes at the start
    EXPECT_EQ(fastSent, 1);
    EXPECT_EQ(slowSent, 1);
    for (int ms = 1; ms <= 1000; ++ms) schedule.Run(10.0 + ms / 1000.0, 100000, false, send);
    EXPECT_EQ(fastSent, 1001);
    EXPECT_EQ(slowSent, 3);
    schedule.Run(12.0, 100000, true, send);  // the line is busy: dropped
    EXPECT_EQ(fastSent, 1001);
    schedule.Run(12.5, 100, false, send);  // at most a burst, the rest dropped
    EXPECT_EQ(fastSent, 1101);
    schedule.Run(12.5, 100, false, send);
    EXPECT_EQ(fastSent, 1101);
}

}  // namespace
}  // namespace quelda::test
