#pragma once
// The device's parameter memory, seen two ways: as bytes (DB/EB) and as
// 32-bit words (DW/EW). The page table tells where the signature block and
// each page start and where each page's checksum goes; writes to those
// addresses are checked before they are taken.
#include <cstdint>
#include <string>
#include <vector>

#include "eeprom/EepromAccess.h"

namespace quelda {

class CMemoryImage {
public:
    using Access = EepromAccess;

    struct PageLine {
        uint32_t start = 0;
        uint32_t checksum = 0;
    };

    static constexpr uint32_t kValuesPerRecord = 32;  // one read answer or data write
    static constexpr uint32_t kMinSize = 0x10000;     // address units of each view
    static constexpr uint32_t kMaxSize = 0x400000;

    CMemoryImage() { SetTable({}); }

    // Line 0 is the signature block, lines 1.. the pages. Both views are
    // sized to hold every page, checksum and the signature (at least
    // kMinSize units, at most kMaxSize; size 0 picks that minimum) and
    // cleared to 0.
    void SetTable(const std::vector<PageLine>& lines, uint32_t size = 0);
    const std::vector<PageLine>& Table() const { return m_table; }

    // Item k (0..31) of page p (1..) as the 32-bit word W: in the byte view
    // its four bytes at start + 4k, most significant first; in the word view
    // the word at start + k. false when the page has no table line.
    bool StoreItem(std::size_t page, uint32_t k, uint32_t word);
    bool LoadItem(Access access, std::size_t page, uint32_t k, uint32_t& word) const;

    // Writes the signature and every page's checksum into both views, so
    // that reading them back agrees with the data.
    void Seal();

    // 32 values from addr on; false when they do not lie in the memory.
    bool Read(Access access, uint32_t addr, std::vector<uint32_t>& values) const;

    // A data, signature or checksum write. false with a reason when it is
    // refused: no values or more than 32, a byte above FF, outside the
    // memory, a signature that is not "BORELINK" with eight zero bytes (two
    // words), or a checksum write that is not one value equal to the page's
    // exclusive-or. A refused write changes nothing.
    bool Write(Access access, uint32_t addr, const std::vector<uint32_t>& values,
               std::string& reason);

    // The page checksum of the page starting at start, over what the view
    // holds there (128 bytes or 32 words).
    uint32_t PageChecksum(Access access, uint32_t start) const;
    // The exclusive-or of all pages' checksums.
    uint32_t Sum(Access access) const;

    uint32_t Size(Access access) const;

private:
    // 64-bit addresses, so start + offset never wraps into the memory.
    bool InRange(Access access, uint64_t addr, std::size_t count) const;
    uint32_t At(Access access, uint64_t addr) const;
    void Put(Access access, uint64_t addr, uint32_t value);
    uint32_t ItemAt(Access access, uint64_t start, uint32_t k) const;
    const PageLine* PageWithChecksumAt(uint32_t addr) const;

    std::vector<PageLine> m_table;
    std::vector<uint8_t> m_bytes;
    std::vector<uint32_t> m_words;
};

}  // namespace quelda
