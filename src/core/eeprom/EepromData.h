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

// What a line with an empty name is.
enum class NamelessLine {
    Comment,  // dropped like "//" lines (the device's reading of the file)
    Item,     // an item in its place when the line holds a ",": a saved empty
              // item reads back where it was (the editor's reading)
};

// The item list of a data file's lines. Only the first kDataFileLines lines
// are read; an empty line, a line whose name begins "//" and (by nameless) a
// nameless line are dropped but still count, and a line without a hexValue
// gets it from its value (ValueToHex). The list is then filled with empty
// items, or with the default header when there were no lines at all.
// sourceLines, when given, receives for each item the index of its line,
// or kFillerItem.
void ItemsFromLines(const std::vector<std::string>& lines, std::vector<EepromItem>& items,
                    std::vector<std::size_t>* sourceLines = nullptr,
                    NamelessLine nameless = NamelessLine::Comment);

// Replaces items with the data file's item list (nameless lines are items,
// so a file SaveItems wrote reads back item for item). false when the file
// cannot be read: items then holds the default header item only.
bool LoadItems(const std::string& path, std::vector<EepromItem>& items);

// Writes every item, the header and fillers included, as a line ended by
// CR LF, through a temporary file. false on a file error, with its reason
// when asked; the old file is then left whole.
bool SaveItems(const std::string& path, const std::vector<EepromItem>& items,
               std::string* reason = nullptr);

}  // namespace quelda
