#include "eeprom/EepromData.h"

#include "eeprom/ItemWord.h"
#include "text/CommaLines.h"
#include "text/TextFile.h"

namespace quelda {

void ItemsFromLines(const std::vector<std::string>& lines, std::vector<EepromItem>& items,
                    std::vector<std::size_t>* sourceLines) {
    items.clear();
    if (sourceLines) sourceLines->clear();
    std::size_t counted = 0;
    for (; counted < lines.size() && counted < kDataFileLines; ++counted) {
        EepromItem item = ItemFromLine(lines[counted]);
        if (IsCommentColumn(item.name)) continue;
        if (item.hexValue.empty()) ValueToHex(item);
        items.push_back(std::move(item));
        if (sourceLines) sourceLines->push_back(counted);
    }
    for (; counted < kDataFileLines; ++counted) {
        items.push_back(counted == 0 ? DefaultHeaderItem() : EepromItem{});
        if (sourceLines) sourceLines->push_back(kFillerItem);
    }
}

bool LoadItems(const std::string& path, std::vector<EepromItem>& items) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) {
        items.assign(1, DefaultHeaderItem());
        return false;
    }
    ItemsFromLines(lines, items);
    return true;
}

bool SaveItems(const std::string& path, const std::vector<EepromItem>& items) {
    std::string content;
    for (const EepromItem& item : items) content += LineOfItem(item) + "\r\n";
    return WriteFileAtomic(path, content);
}

}  // namespace quelda
