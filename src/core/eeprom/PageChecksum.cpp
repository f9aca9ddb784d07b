#include "eeprom/PageChecksum.h"

#include <algorithm>

#include "eeprom/EepromData.h"
#include "eeprom/ItemWord.h"

namespace quelda {

uint32_t PageChecksum(EepromAccess access, const std::vector<uint32_t>& words) {
    uint32_t sum = 0;
    for (uint32_t w : words) {
        if (access == EepromAccess::Word) {
            sum ^= w;
        } else {
            for (uint8_t b : WordBytes(w)) sum ^= b;
        }
    }
    return sum;
}

uint32_t PageChecksum(EepromAccess access, const std::vector<EepromItem>& items, std::size_t page) {
    const std::size_t first = FirstItemOfPage(page);
    const std::size_t end = std::min(items.size(), first + kItemsPerPage);
    std::vector<uint32_t> words;
    for (std::size_t i = first; i < end; ++i) words.push_back(StoredWord(items[i]));
    return PageChecksum(access, words);
}

std::vector<std::string> ChecksumShortfallTexts(EepromAccess access, std::size_t itemCount,
                                                std::size_t page) {
    static const std::string kText = "Checksum created during the EEPROM data has ended";
    const std::size_t first = FirstItemOfPage(page);
    const std::size_t found = itemCount > first ? std::min(itemCount - first, kItemsPerPage) : 0;
    if (found == kItemsPerPage) return {};
    if (found == 0) return {kText};
    if (access == EepromAccess::Word) return {kText, kText};
    if (found % 8 != 0) return {kText + " ", kText};
    return {kText};
}

}  // namespace quelda
