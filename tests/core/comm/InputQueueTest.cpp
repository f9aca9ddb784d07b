#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "comm/InputQueue.h"
#include "comm/LineErrors.h"

namespace quelda {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Sequence(std::size_t n, uint8_t start = 0) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), start);
    return b;
}

Bytes PopAll(CInputQueue& queue, std::size_t max, bool* leftoverOut = nullptr) {
    Bytes out(max);
    bool leftover = false;
    out.resize(queue.Pop(out.data(), max, leftover));
    if (leftoverOut) *leftoverOut = leftover;
    return out;
}

TEST(InputQueueTest, KeepsOrderAcrossTheRingEnd) {
    CInputQueue queue(16);
    const Bytes a = Sequence(10), b = Sequence(12, 100);
    queue.Push(a.data(), a.size(), 0);
    EXPECT_EQ(PopAll(queue, 10), a);
    queue.Push(b.data(), b.size(), 0);  // wraps past the end
    EXPECT_EQ(queue.Size(), 12u);
    EXPECT_EQ(PopAll(queue, 5), Bytes(b.begin(), b.begin() + 5));
    EXPECT_EQ(PopAll(queue, 100), Bytes(b.begin() + 5, b.end()));
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(InputQueueTest, OverflowDropsTheNewestBytesAndFlagsOnce) {
    CInputQueue queue(16);
    const Bytes a = Sequence(10), b = Sequence(10, 50);
    queue.Push(a.data(), a.size(), 0);
    queue.Push(b.data(), b.size(), 0);
    uint32_t errors = 0;
    EXPECT_EQ(queue.TakeStatus(errors), 16u);
    EXPECT_EQ(errors, uint32_t(CE_RXOVER));
    Bytes expected = a;
    expected.insert(expected.end(), b.begin(), b.begin() + 6);
    EXPECT_EQ(PopAll(queue, 100), expected);
    queue.TakeStatus(errors);
    EXPECT_EQ(errors, 0u) << "reading the flags clears them";
}

TEST(InputQueueTest, NotificationIsOutstandingUntilTheReaderSeesTheQueueEmpty) {
    CInputQueue queue(64);
    const Bytes a = Sequence(8);
    uint32_t errors = 0;
    EXPECT_FALSE(queue.ClaimNotification()) << "nothing waits";
    EXPECT_TRUE(queue.Push(a.data(), 4, 0));
    EXPECT_FALSE(queue.Push(a.data(), 4, 0)) << "same burst";
    EXPECT_EQ(queue.TakeStatus(errors), 8u);
    EXPECT_FALSE(queue.Push(a.data(), 1, 0)) << "bytes still wait";

    bool leftover = false;
    PopAll(queue, 3, &leftover);
    EXPECT_TRUE(leftover);
    EXPECT_TRUE(queue.ClaimNotification()) << "the rest needs a notification of its own";
    PopAll(queue, 100, &leftover);
    EXPECT_FALSE(leftover);
    EXPECT_TRUE(queue.Push(nullptr, 0, CE_IOE)) << "errors alone notify";

    EXPECT_EQ(queue.TakeStatus(errors), 0u);
    EXPECT_EQ(errors, uint32_t(CE_IOE));
    EXPECT_TRUE(queue.Push(a.data(), 1, 0)) << "an empty status ends the notification";
}

}  // namespace
}  // namespace quelda
