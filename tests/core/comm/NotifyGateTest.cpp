// The batching rule of the receive thread, with the time given by the test.
#include <gtest/gtest.h>

#include "comm/NotifyGate.h"

namespace quelda {
namespace {

using Clock = CNotifyGate::Clock;
using std::chrono::microseconds;

TEST(NotifyGateTest, AnswerAfterSilenceGoesAtOnceAndAFloodIsGathered) {
    CNotifyGate gate;
    const Clock::time_point t0 = Clock::now();
    // A single answer after a quiet spell: no delay.
    ASSERT_TRUE(gate.Arrived(t0, 40, true));
    gate.Sent(t0);
    // The next bursts within the window are held, not notified one by one.
    EXPECT_FALSE(gate.Arrived(t0 + microseconds(300), 40, true));
    EXPECT_TRUE(gate.Held());
    EXPECT_FALSE(gate.Arrived(t0 + microseconds(900), 40, false));
    EXPECT_FALSE(gate.Expired(t0 + microseconds(1999)));
    EXPECT_EQ(gate.Deadline(), t0 + CNotifyGate::kGatherUs);
    EXPECT_TRUE(gate.Expired(t0 + CNotifyGate::kGatherUs));
    gate.Sent(t0 + CNotifyGate::kGatherUs);
    EXPECT_FALSE(gate.Held());
    // Arrivals without a claim (the reader has not drained yet) hold nothing.
    EXPECT_FALSE(gate.Arrived(t0 + microseconds(5000), 40, false));
    EXPECT_FALSE(gate.Held());
}

TEST(NotifyGateTest, EnoughBytesEndTheBatchEarly) {
    CNotifyGate gate;
    const Clock::time_point t0 = Clock::now();
    gate.Sent(t0);
    EXPECT_FALSE(gate.Arrived(t0 + microseconds(100), CNotifyGate::kGatherBytes - 1, true));
    EXPECT_TRUE(gate.Arrived(t0 + microseconds(200), 1, false));
    // A dropped batch (the reader took it all) leaves the next arrival free.
    gate.Sent(t0 + microseconds(200));
    EXPECT_FALSE(gate.Arrived(t0 + microseconds(300), 10, true));
    gate.Drop();
    EXPECT_FALSE(gate.Held());
    EXPECT_TRUE(gate.Arrived(t0 + microseconds(2300), 10, true));
}

}  // namespace
}  // namespace quelda
