#pragma once
// The checksum a page write ends with: the exclusive-or of the page's data,
// 8 bits over its bytes in byte access, 32 bits over its words in word
// access. It covers the data only, not the page's address.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "eeprom/EepromAccess.h"
#include "eeprom/EepromItem.h"

namespace quelda {

// Over the words W of a page's items in order (each W giving its four bytes
// in byte access).
uint32_t PageChecksum(EepromAccess access, const std::vector<uint32_t>& words);

// Over the items the list holds for page p (1, 2, ...): up to 32, fewer when
// the list ends inside the page, which the caller reports.
uint32_t PageChecksum(EepromAccess access, const std::vector<EepromItem>& items, std::size_t page);

// The boxes that report a checksum taken over fewer than the page's 32
// items, in the order they are shown; none when the list holds them all.
// Byte access takes the items by eights (one group per read or write), and
// a list that ends inside a group says so first, with a trailing blank.
std::vector<std::string> ChecksumShortfallTexts(EepromAccess access, std::size_t itemCount,
                                                std::size_t page);

}  // namespace quelda
