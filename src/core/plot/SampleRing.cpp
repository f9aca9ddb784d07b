#include "plot/SampleRing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quelda {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

EnvelopeColumn EmptyColumn() { return {kInf, -kInf, 0, false}; }

void Join(EnvelopeColumn& into, const EnvelopeColumn& part) {
    into.min = std::min(into.min, part.min);
    into.max = std::max(into.max, part.max);
    into.count += part.count;
    into.gap = into.gap || part.gap;
}

}  // namespace

CSampleRing::CSampleRing(std::size_t capacity) : m_capacity(std::max<std::size_t>(capacity, 1)) {
    const std::size_t top = std::size_t{1} << (kShift * kLevels);
    m_slots = (m_capacity + top - 1) / top * top;
    // not value-initialised: pages are touched only as samples arrive
    m_samples.reset(new Sample[m_slots]);
    for (int k = 0; k < kLevels; ++k) {
        m_blocks[k].resize(m_slots >> (kShift * (k + 1)), EmptyColumn());
    }
    m_blockStart.resize(m_slots >> kShift);
}

void CSampleRing::Add(double time, double value) {
    if (m_added > 0 && !(time >= Latest())) time = Latest();
    const uint64_t n = m_added;
    m_samples[n % m_slots] = {time, value};
    if ((n & ((uint64_t{1} << kShift) - 1)) == 0)
        m_blockStart[(n >> kShift) % m_blockStart.size()] = time;
    EnvelopeColumn one = EmptyColumn();
    MergeSample(one, value);
    for (int k = 0; k < kLevels; ++k) {
        const int shift = kShift * (k + 1);
        EnvelopeColumn& block = m_blocks[k][(n >> shift) % m_blocks[k].size()];
        // the first sample of a block starts it anew (the ring wrapped onto it)
        if ((n & ((uint64_t{1} << shift) - 1)) == 0) block = EmptyColumn();
        Join(block, one);
    }
    ++m_added;
}

void CSampleRing::MergeSample(EnvelopeColumn& into, double v) const {
    ++into.count;
    if (!std::isfinite(v)) {
        into.gap = true;
        return;
    }
    into.min = std::min(into.min, v);
    into.max = std::max(into.max, v);
}

uint64_t CSampleRing::Scan(uint64_t from, uint64_t to, double time) const {
    while (from < to && Slot(from).time < time) ++from;
    return from;
}

std::size_t CSampleRing::LowerBound(std::size_t from, double time) const {
    const uint64_t oldest = Oldest();
    const uint64_t start = oldest + std::min<uint64_t>(from, Size());
    const uint64_t block = uint64_t{1} << kShift;
    // the rest of the block `start` lies in, sample by sample
    const uint64_t firstWhole = std::min((start + block - 1) / block * block, m_added);
    uint64_t n = Scan(start, firstWhole, time);
    if (n < firstWhole || firstWhole == m_added) return static_cast<std::size_t>(n - oldest);
    // whole blocks by their first times: gallop, then halve
    const uint64_t b0 = firstWhole >> kShift;
    const uint64_t bEnd = ((m_added - 1) >> kShift) + 1;
    uint64_t lo = b0;  // BlockStart(lo) < time is known below lo
    uint64_t step = 1;
    uint64_t hi = b0;
    while (hi < bEnd && BlockStart(hi) < time) {
        lo = hi + 1;
        hi = std::min(hi + step, bEnd);
        step *= 2;
    }
    while (lo < hi) {
        const uint64_t mid = lo + (hi - lo) / 2;
        if (BlockStart(mid) < time) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    // block lo is the first to start at or after time; the answer is in the one before
    if (lo == b0) return static_cast<std::size_t>(firstWhole - oldest);
    const uint64_t prev = (lo - 1) << kShift;
    n = Scan(prev, std::min(lo << kShift, m_added), time);
    return static_cast<std::size_t>(n - oldest);
}

void CSampleRing::Merge(EnvelopeColumn& into, uint64_t from, uint64_t to) const {
    // Whole blocks of the highest level that fit, the ragged ends one level down.
    for (int k = kLevels - 1; k >= 0; --k) {
        const int shift = kShift * (k + 1);
        const uint64_t size = uint64_t{1} << shift;
        const uint64_t first = (from + size - 1) >> shift;
        const uint64_t last = to >> shift;
        if (first >= last) continue;
        Merge(into, from, first << shift);
        for (uint64_t b = first; b < last; ++b) Join(into, m_blocks[k][b % m_blocks[k].size()]);
        from = last << shift;
        if (from >= to) return;
    }
    for (uint64_t n = from; n < to; ++n) MergeSample(into, Slot(n).value);
}

EnvelopeColumn CSampleRing::Range(std::size_t first, std::size_t last) const {
    EnvelopeColumn out = EmptyColumn();
    last = std::min(last, Size());
    if (first < last) Merge(out, Oldest() + first, Oldest() + last);
    return out;
}

std::vector<EnvelopeColumn> CSampleRing::Envelope(double t0, double t1, int columns) const {
    std::vector<EnvelopeColumn> out;
    if (columns <= 0 || !(t1 > t0)) return out;
    out.reserve(static_cast<std::size_t>(columns));
    const double width = (t1 - t0) / columns;
    std::size_t first = LowerBound(t0);
    for (int c = 0; c < columns; ++c) {
        const double end = c + 1 == columns ? t1 : t0 + width * (c + 1);
        const std::size_t last = LowerBound(first, end);
        out.push_back(Range(first, last));
        first = last;
    }
    return out;
}

}  // namespace quelda
