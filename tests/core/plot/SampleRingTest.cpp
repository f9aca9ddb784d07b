#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "plot/SampleRing.h"

namespace quelda {
namespace {

TEST(SampleRing, WrapsKeepingTheNewestAndTellsFromWhenItHoldsData) {
    CSampleRing ring(100000);
    for (int i = 0; i < 250000; ++i) ring.Add(i * 0.001, i);
    EXPECT_EQ(ring.Size(), 100000u);
    EXPECT_EQ(ring.Dropped(), 150000u);
    EXPECT_EQ(ring.At(0).value, 150000.0);
    EXPECT_DOUBLE_EQ(ring.HoldsFrom(), 150.0);
    EXPECT_EQ(ring.At(99999).value, 249999.0);
    // the summaries of wrapped blocks forget the overwritten samples
    const EnvelopeColumn all = ring.Range(0, ring.Size());
    EXPECT_EQ(all.min, 150000.0);
    EXPECT_EQ(all.max, 249999.0);
    EXPECT_EQ(all.count, 100000u);
}

TEST(SampleRing, AClockStepBackwardsKeepsTimesInOrder) {
    CSampleRing ring(10);
    ring.Add(5.0, 1);
    ring.Add(2.0, 2);
    ring.Add(std::numeric_limits<double>::quiet_NaN(), 3);
    ring.Add(6.0, 4);
    EXPECT_EQ(ring.At(1).time, 5.0);
    EXPECT_EQ(ring.At(2).time, 5.0);
    EXPECT_EQ(ring.LowerBound(5.5), 3u);
}

// Min/max per column by looking at every sample.
std::vector<EnvelopeColumn> BruteEnvelope(const CSampleRing& ring, double t0, double t1,
                                          int columns) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<EnvelopeColumn> out(columns, EnvelopeColumn{inf, -inf, 0, false});
    const double width = (t1 - t0) / columns;
    for (std::size_t i = 0; i < ring.Size(); ++i) {
        const Sample& s = ring.At(i);
        if (s.time < t0 || s.time >= t1) continue;
        int c = static_cast<int>((s.time - t0) / width);
        // the column ends the envelope uses, to the last bit
        while (c + 1 < columns && s.time >= t0 + width * (c + 1)) ++c;
        while (c > 0 && s.time < t0 + width * c) --c;
        EnvelopeColumn& col = out[c];
        ++col.count;
        if (!std::isfinite(s.value)) {
            col.gap = true;
            continue;
        }
        col.min = std::min(col.min, s.value);
        col.max = std::max(col.max, s.value);
    }
    return out;
}

TEST(SampleRing, EnvelopeEqualsBruteForceOnRandomDataWithSpikes) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::uniform_int_distribution<int> pick(0, 999);
    CSampleRing ring(300000);
    double t = 0.0;
    for (int i = 0; i < 420000; ++i) {
        t += 0.0001 * (1 + pick(rng) % 3);
        double v = noise(rng);
        const int p = pick(rng);
        if (p == 0) v = 1e6;                                         // a lone spike up
        if (p == 1) v = -1e300;                                      // and down
        if (p == 2) v = std::numeric_limits<double>::quiet_NaN();    // a gap
        if (p == 3) v = std::numeric_limits<double>::infinity();     // also a gap
        ring.Add(t, v);
    }
    const double from = ring.HoldsFrom();
    const double to = ring.Latest();
    const std::pair<double, double> spans[] = {
        {from, to + 1e-9}, {from + 3.0, from + 3.07}, {from - 5.0, to + 5.0}, {to - 0.01, to}};
    for (const auto& [t0, t1] : spans) {
        for (int columns : {1, 7, 800}) {
            const auto got = ring.Envelope(t0, t1, columns);
            const auto want = BruteEnvelope(ring, t0, t1, columns);
            ASSERT_EQ(got.size(), want.size());
            for (int c = 0; c < columns; ++c) {
                SCOPED_TRACE(testing::Message() << t0 << ".." << t1 << " col " << c);
                EXPECT_EQ(got[c].count, want[c].count);
                EXPECT_EQ(got[c].gap, want[c].gap);
                EXPECT_EQ(got[c].min, want[c].min);
                EXPECT_EQ(got[c].max, want[c].max);
            }
        }
    }
}

}  // namespace
}  // namespace quelda
