#include "device/MemoryImage.h"

#include <algorithm>

#include "eeprom/EepromData.h"
#include "eeprom/ItemWord.h"
#include "eeprom/PageChecksum.h"

namespace quelda {
namespace {

uint64_t NeededSize(const std::vector<CMemoryImage::PageLine>& table, CMemoryImage::Access access) {
    uint64_t needed = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const uint64_t span = i == 0 ? SignatureValues(access).size() : PageSpan(access);
        needed = std::max(needed, uint64_t{table[i].start} + span);
        if (i != 0) needed = std::max(needed, uint64_t{table[i].checksum} + 1);
    }
    return needed;
}

uint32_t ChooseSize(uint64_t needed, uint32_t asked) {
    const uint64_t size = std::max<uint64_t>({needed, asked, CMemoryImage::kMinSize});
    return static_cast<uint32_t>(std::min<uint64_t>(size, CMemoryImage::kMaxSize));
}

}  // namespace

void CMemoryImage::SetTable(const std::vector<PageLine>& lines, uint32_t size) {
    m_table = lines;
    m_bytes.assign(ChooseSize(NeededSize(lines, Access::Byte), size), 0);
    m_words.assign(ChooseSize(NeededSize(lines, Access::Word), size), 0);
}

uint32_t CMemoryImage::Size(Access access) const {
    return static_cast<uint32_t>(access == Access::Byte ? m_bytes.size() : m_words.size());
}

bool CMemoryImage::InRange(Access access, uint64_t addr, std::size_t count) const {
    return addr + count <= Size(access);
}

uint32_t CMemoryImage::At(Access access, uint64_t addr) const {
    if (!InRange(access, addr, 1)) return 0;
    return access == Access::Byte ? m_bytes[addr] : m_words[addr];
}

void CMemoryImage::Put(Access access, uint64_t addr, uint32_t value) {
    if (!InRange(access, addr, 1)) return;
    if (access == Access::Byte) {
        m_bytes[addr] = static_cast<uint8_t>(value);
    } else {
        m_words[addr] = value;
    }
}

bool CMemoryImage::StoreItem(std::size_t page, uint32_t k, uint32_t word) {
    if (page == 0 || page >= m_table.size()) return false;
    const uint64_t start = m_table[page].start;
    const std::array<uint8_t, 4> bytes = WordBytes(word);
    for (uint32_t b = 0; b < 4; ++b) Put(Access::Byte, start + 4 * k + b, bytes[b]);
    Put(Access::Word, start + k, word);
    return true;
}

bool CMemoryImage::LoadItem(Access access, std::size_t page, uint32_t k, uint32_t& word) const {
    if (page == 0 || page >= m_table.size()) return false;
    word = ItemAt(access, m_table[page].start, k);
    return true;
}

uint32_t CMemoryImage::ItemAt(Access access, uint64_t start, uint32_t k) const {
    if (access == Access::Word) return At(Access::Word, start + k);
    uint32_t word = 0;
    for (uint32_t b = 0; b < 4; ++b) word = (word << 8) | At(Access::Byte, start + 4 * k + b);
    return word;
}

void CMemoryImage::Seal() {
    for (Access access : {Access::Byte, Access::Word}) {
        if (!m_table.empty()) {
            const std::vector<uint32_t> signature = SignatureValues(access);
            for (std::size_t i = 0; i < signature.size(); ++i) {
                Put(access, uint64_t{m_table[0].start} + i, signature[i]);
            }
        }
        for (std::size_t p = 1; p < m_table.size(); ++p) {
            Put(access, m_table[p].checksum, PageChecksum(access, m_table[p].start));
        }
    }
}

bool CMemoryImage::Read(Access access, uint32_t addr, std::vector<uint32_t>& values) const {
    if (!InRange(access, addr, kValuesPerRecord)) return false;
    values.resize(kValuesPerRecord);
    for (uint32_t i = 0; i < kValuesPerRecord; ++i) values[i] = At(access, uint64_t{addr} + i);
    return true;
}

const CMemoryImage::PageLine* CMemoryImage::PageWithChecksumAt(uint32_t addr) const {
    for (std::size_t p = 1; p < m_table.size(); ++p) {
        if (m_table[p].checksum == addr) return &m_table[p];
    }
    return nullptr;
}

bool CMemoryImage::Write(Access access, uint32_t addr, const std::vector<uint32_t>& values,
                         std::string& reason) {
    if (values.empty() || values.size() > kValuesPerRecord) {
        reason = "a write carries 1 to 32 values";
        return false;
    }
    if (access == Access::Byte &&
        std::any_of(values.begin(), values.end(), [](uint32_t v) { return v > 0xFF; })) {
        reason = "a byte value above FF";
        return false;
    }
    if (!InRange(access, addr, values.size())) {
        reason = "outside the memory";
        return false;
    }
    if (!m_table.empty() && addr == m_table[0].start) {
        if (values != SignatureValues(access)) {
            reason = "not the signature";
            return false;
        }
    } else if (const PageLine* page = PageWithChecksumAt(addr)) {
        if (values.size() != 1 || values[0] != PageChecksum(access, page->start)) {
            reason = "page checksum does not match";
            return false;
        }
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        Put(access, uint64_t{addr} + i, values[i]);
    }
    return true;
}

uint32_t CMemoryImage::PageChecksum(Access access, uint32_t start) const {
    std::vector<uint32_t> words(kItemsPerPage);
    for (uint32_t k = 0; k < kItemsPerPage; ++k) words[k] = ItemAt(access, start, k);
    return ::quelda::PageChecksum(access, words);
}

uint32_t CMemoryImage::Sum(Access access) const {
    uint32_t sum = 0;
    for (std::size_t p = 1; p < m_table.size(); ++p) {
        sum ^= PageChecksum(access, m_table[p].start);
    }
    return sum;
}

}  // namespace quelda
