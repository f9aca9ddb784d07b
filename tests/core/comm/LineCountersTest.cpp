#include <gtest/gtest.h>

#include "comm/LineCounters.h"
#include "comm/LineErrors.h"

namespace quelda {
namespace {

TEST(LineCountersTest, EachChangedCounterRaisesItsFlag) {
    const LineCounters base{5, 6, 7, 8, 9};
    const struct {
        int LineCounters::*counter;
        uint32_t flag;
    } cases[] = {{&LineCounters::frame, CE_FRAME},
                 {&LineCounters::parity, CE_RXPARITY},
                 {&LineCounters::overrun, CE_OVERRUN},
                 {&LineCounters::brk, CE_BREAK},
                 {&LineCounters::bufOverrun, CE_OVERRUN}};
    for (const auto& c : cases) {
        LineCounters after = base;
        after.*c.counter += 3;
        EXPECT_EQ(CounterFlags(base, after), c.flag);
    }
    EXPECT_EQ(CounterFlags(base, base), 0u);
}

}  // namespace
}  // namespace quelda
