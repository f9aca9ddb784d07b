#include "bintext/BlockLineWriter.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quelda {

namespace {

// Room a line needs beyond its own bytes: commas are stored eight at once.
constexpr std::size_t kCommaSlack = 8;

// Mostly one comma: a fixed-size store beats a call to fill memory.
char* WriteCommas(char* o, std::size_t count) {
    if (count > kCommaSlack) return std::fill_n(o, count, ',');
    std::memcpy(o, ",,,,,,,,", kCommaSlack);
    return o + count;
}

}  // namespace

BlockLineWriter::BlockLineWriter(const std::vector<MonitorItem>& items, const CsvColumns& columns)
    : m_fieldOfColumn(columns.Count(), -1) {
    std::vector<std::size_t> columnOf(items.size(), 0);
    for (std::size_t c = 1; c <= columns.Count(); ++c) {
        const long i = columns.ItemOfColumn(c);
        if (i >= 0) columnOf[static_cast<std::size_t>(i)] = c;
    }
    Prepare(items, columnOf, columns.Count());
    if (!m_inItemOrder) m_textSize.resize(m_fields.size());
}

void BlockLineWriter::Prepare(const std::vector<MonitorItem>& items,
                              const std::vector<std::size_t>& columnOf, std::size_t columnCount) {
    long long p = 0;
    long long minSize = 0;
    bool reachable = true;     // no item starts before the block
    std::size_t previous = 1;  // the column after the commas written so far
    std::size_t slots = 0;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const ValueCodec& codec = items[i].codec;
        const BinaryType& type = codec.Binary();
        const Step step{p, type.kind == BinaryType::Kind::Jump ? type.jump : type.width,
                        type.HasValue()};
        m_steps.push_back(step);
        reachable = reachable && p >= 0;
        minSize = std::max({minSize, p + 1, step.hasValue ? p + step.advance : 0});
        p += step.advance;
        // a jump or an unknown type leaves its cell empty: nothing to place
        const std::size_t column = columnOf[i];
        if (!step.hasValue || column == 0) continue;
        if (column < previous) m_inItemOrder = false;
        m_fieldOfColumn[column - 1] = static_cast<long>(m_fields.size());
        m_fields.push_back(
            Field{&codec, static_cast<std::size_t>(step.at), column - previous, slots});
        previous = column;
        slots += codec.MaxTextSize();
    }
    m_minSize =
        reachable ? static_cast<std::size_t>(minSize) : std::numeric_limits<std::size_t>::max();
    m_trailingCommas = columnCount + 1 - previous;
    m_maxLine += columnCount + slots + kCommaSlack;
    if (!m_inItemOrder) m_texts.resize(slots);
}

long long BlockLineWriter::FirstOutside(std::size_t size) const {
    const long long end = static_cast<long long>(size);
    for (const Step& s : m_steps) {
        if (s.at < 0 || s.at >= end || (s.hasValue && s.at + s.advance > end)) return s.at;
    }
    return end;  // not reached: the block was too short for some item
}

char* BlockLineWriter::WriteLine(const uint8_t* data, std::size_t size, char* out,
                                 long long& offset) {
    if (size < m_minSize) {
        offset = FirstOutside(size);
        return nullptr;
    }
    return m_inItemOrder ? WriteInItemOrder(data, out) : WriteByColumns(data, out);
}

char* BlockLineWriter::WriteInItemOrder(const uint8_t* data, char* out) const {
    char* o = out;
    for (const Field& f : m_fields) {
        o = WriteCommas(o, f.commas);
        o += f.codec->WriteField(data + f.at, o);
    }
    o = WriteCommas(o, m_trailingCommas);
    *o++ = '\r';
    *o++ = '\n';
    return o;
}

char* BlockLineWriter::WriteByColumns(const uint8_t* data, char* out) {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Field& f = m_fields[i];
        m_textSize[i] = f.codec->WriteField(data + f.at, m_texts.data() + f.slot);
    }
    char* o = out;
    for (long index : m_fieldOfColumn) {
        if (index >= 0) {
            const std::size_t i = static_cast<std::size_t>(index);
            o = std::copy_n(m_texts.data() + m_fields[i].slot, m_textSize[i], o);
        }
        *o++ = ',';
    }
    *o++ = '\r';
    *o++ = '\n';
    return o;
}

}  // namespace quelda
