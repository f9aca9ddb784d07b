#pragma once
// The two ways the device's parameter memory is addressed, and what differs
// between them for a transfer: a page's span and the signature block.
#include <cstdint>
#include <vector>

namespace quelda {

enum class EepromAccess {
    Byte,  // DB/EB: an item is four bytes, most significant first
    Word,  // DW/EW: an item is one 32-bit word
};

// Address units of one page of 32 items: 128 bytes or 32 words.
constexpr uint32_t PageSpan(EepromAccess access) {
    return access == EepromAccess::Byte ? 0x80 : 0x20;
}

// The values of the signature write that opens a full write, at the start of
// page-table line 0: the eight letters "BORELINK" as bytes followed by eight
// zero bytes, or the same letters as two words. The device takes no other.
std::vector<uint32_t> SignatureValues(EepromAccess access);

}  // namespace quelda
