#pragma once
// A typed-block definition prepared for turning many blocks into CSV lines.
// Items advance the offset by fixed amounts, so every field starts at the
// same offset in every block, and one size tells whether a block holds
// them all; a line then costs one pass over the shown fields, without
// allocation or lookup.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitor/CsvColumns.h"
#include "monitor/MonitorItem.h"

namespace quelda {

class BlockLineWriter {
public:
    // The items must outlive the writer and keep their codecs.
    BlockLineWriter(const std::vector<MonitorItem>& items, const CsvColumns& columns);

    // The most bytes one line can take.
    std::size_t MaxLineSize() const { return m_maxLine; }

    // Writes the line of one block's data bytes data[0 .. size) at out (room
    // for MaxLineSize() bytes) and returns its end; nullptr when an item's
    // field does not lie inside the block, offset then being where the
    // first such item starts.
    char* WriteLine(const uint8_t* data, std::size_t size, char* out, long long& offset);

private:
    struct Step {
        long long at;       // where the item starts
        long long advance;  // its field's width or its jump
        bool hasValue;
    };
    // A field a column shows.
    struct Field {
        const ValueCodec* codec;
        std::size_t at;
        std::size_t commas;  // lines in item order: commas before its text
        std::size_t slot;    // otherwise: where its text waits in m_texts
    };

    void Prepare(const std::vector<MonitorItem>& items, const std::vector<std::size_t>& columnOf,
                 std::size_t columnCount);
    long long FirstOutside(std::size_t size) const;
    char* WriteInItemOrder(const uint8_t* data, char* out) const;
    char* WriteByColumns(const uint8_t* data, char* out);

    std::vector<Step> m_steps;
    std::vector<Field> m_fields;  // in item order
    // Blocks of at least this size hold every item; smaller ones do not.
    std::size_t m_minSize = 0;
    std::size_t m_maxLine = 2;
    // Fields whose columns rise in item order are written straight into
    // the line; others wait in m_texts to be placed by column.
    bool m_inItemOrder = true;
    std::size_t m_trailingCommas = 0;
    std::vector<long> m_fieldOfColumn;  // -1: an empty column
    std::vector<char> m_texts;
    std::vector<std::size_t> m_textSize;  // per field
};

}  // namespace quelda
