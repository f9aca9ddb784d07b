#pragma once
// The newest samples of one plotted value: a ring of (time, value) with a
// min/max summary per block of 16, 256, 4096 and 65536 samples, so the
// envelope of any span costs a bounded number of steps per pixel column,
// however many samples the span holds. Non-finite values are gaps: they are
// kept, but no minimum or maximum counts them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quelda {

struct Sample {
    double time;
    double value;
};

// What one pixel column of a span holds.
struct EnvelopeColumn {
    double min;      // of the finite values; +inf when none
    double max;      // -inf when none
    uint32_t count;  // samples in the column, gaps included
    bool gap;        // a non-finite value lies in the column
    bool HasValue() const { return min <= max; }
};

class CSampleRing {
public:
    static constexpr std::size_t kDefaultCapacity = 2000000;

    explicit CSampleRing(std::size_t capacity = kDefaultCapacity);

    // Times never run backwards: an earlier time is taken as the latest one.
    void Add(double time, double value);

    std::size_t Capacity() const { return m_capacity; }
    // Samples held: at most the capacity.
    std::size_t Size() const { return static_cast<std::size_t>(m_added - Oldest()); }
    // Samples ever added, and those dropped as the ring wrapped.
    uint64_t Added() const { return m_added; }
    uint64_t Dropped() const { return Oldest(); }
    bool Empty() const { return m_added == 0; }
    // Held sample i, 0 the oldest.
    const Sample& At(std::size_t i) const { return Slot(Oldest() + i); }
    // The time from which it holds data (the oldest sample's); 0 when empty.
    double HoldsFrom() const { return Empty() ? 0.0 : At(0).time; }
    double Latest() const { return Empty() ? 0.0 : Slot(m_added - 1).time; }
    // Index (0 the oldest) of the first held sample at or after time; the
    // second form looks only from held sample `from` on, and costs little
    // when the answer is near it.
    std::size_t LowerBound(double time) const { return LowerBound(0, time); }
    std::size_t LowerBound(std::size_t from, double time) const;

    // The span [t0, t1) cut into columns of equal width.
    std::vector<EnvelopeColumn> Envelope(double t0, double t1, int columns) const;
    // Min and max of the finite values of held samples [first, last).
    EnvelopeColumn Range(std::size_t first, std::size_t last) const;

private:
    static constexpr int kLevels = 4;
    static constexpr int kShift = 4;  // 16 blocks of a level make one of the next

    uint64_t Oldest() const { return m_added > m_capacity ? m_added - m_capacity : 0; }
    const Sample& Slot(uint64_t n) const { return m_samples[n % m_slots]; }
    void Merge(EnvelopeColumn& into, uint64_t from, uint64_t to) const;
    void MergeSample(EnvelopeColumn& into, double v) const;
    // The first of the samples [from, to) at or after time, or to.
    uint64_t Scan(uint64_t from, uint64_t to, double time) const;
    double BlockStart(uint64_t block) const { return m_blockStart[block % m_blockStart.size()]; }

    std::size_t m_capacity;
    std::size_t m_slots;  // the capacity rounded up to whole top-level blocks
    std::unique_ptr<Sample[]> m_samples;
    // m_blocks[k][j]: min/max of the block of 16^(k+1) samples j (mod its count)
    std::vector<EnvelopeColumn> m_blocks[kLevels];
    // the time of each 16-block's first sample: searching these stays in
    // cache where the samples themselves would not
    std::vector<double> m_blockStart;
    uint64_t m_added = 0;
};

}  // namespace quelda
