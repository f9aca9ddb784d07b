#pragma once
// Decoding received data into the value texts of a monitor's items. The
// first item is the title line and is never decoded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/MonitorItem.h"

namespace quelda {

// Monitors 1, 2 and 4: item with position P shows element P + elementShift
// of the message (shift 1 for monitors 1 and 2, 0 for monitor 4). Items
// with position 0 or past the message's end keep their value.
void DecodeTextItems(std::vector<MonitorItem>& items, const std::string& frameText,
                     int elementShift);

// Monitor 3: block holds the L bytes of one block, its two length bytes
// first; pass length = L, bounded by the bytes the caller really holds.
// Fields start at offset 2; decoding stops at the first item whose offset
// is outside 2 .. length - 1, and later items keep their value. A field that
// starts inside but runs past the end gets an empty value text.
void DecodeBlockItems(std::vector<MonitorItem>& items, const uint8_t* block, std::size_t length);

// The element an item with position P shows (P + elementShift), or nullptr
// when its position is 0 or past the message's end.
const std::string* ItemElement(const MonitorItem& item, const std::vector<std::string>& elements,
                               int elementShift);

// Monitor 3's walk over a block: calls visit(index, item, offset) for each
// item after the title line whose offset lies in 2 .. length - 1, in order;
// visit returns the next offset.
template <typename Visit>
void WalkBlockItems(const std::vector<MonitorItem>& items, std::size_t length, Visit&& visit) {
    long long p = 2;
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (p < 2 || p >= static_cast<long long>(length)) return;
        p = visit(i, items[i], p);
    }
}

// The block length from its first two bytes: lengthFormat 0 low byte first,
// any other value high byte first.
uint16_t ReadBlockLength(const uint8_t* twoBytes, int lengthFormat);

}  // namespace quelda
