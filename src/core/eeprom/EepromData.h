#pragma once
// The EEPROM data file and the item list it gives. Index 0 is the header
// item (the grids' column headers, never transferred); page p (1, 2, ...)
// owns indices FirstItemOfPage(p) to FirstItemOfPage(p) + 31. A load always
// yields kDataFileLines items less one per dropped line, so every page of a
// full table has items even when the file is short.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "eeprom/EepromItem.h"

namespace quelda {

constexpr std::size_t kItemsPerPage = 32;
constexpr std::size_t kDataFileLines = 1 + 32 * kItemsPerPage;  // the header and 32 pages
// The source line of an item a load added to fill the list.
constexpr std::size_t kFillerItem = SIZE_MAX;

constexpr std::size_t FirstItemOfPage(std::size_t page) { return (page - 1) * kItemsPerPage + 1; }

// The item list of a data file's lines. Only the first kDataFileLines lines
// are read; a line with an empty name or one beginning "//" is dropped but
// still counts, and a line without a hexValue gets it from its value
// (ValueToHex). The list is then filled with empty items, or with the
// default header when there were no lines at all. sourceLines, when given,
// receives for each item the index of its line, or kFillerItem.
void ItemsFromLines(const std::vector<std::string>& lines, std::vector<EepromItem>& items,
                    std::vector<std::size_t>* sourceLines = nullptr);

// Replaces items with the data file's item list. false when the file cannot
// be read: items then holds the default header item only.
bool LoadItems(const std::string& path, std::vector<EepromItem>& items);

// Writes every item, the header and fillers included, as a line ended by
// CR LF. false on a file error; the old file is then left whole.
bool SaveItems(const std::string& path, const std::vector<EepromItem>& items);

}  // namespace quelda
