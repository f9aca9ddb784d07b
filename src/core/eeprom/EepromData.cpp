#include "eeprom/EepromData.h"

#include "eeprom/ItemWord.h"
#include "text/TextFile.h"

namespace quelda {

namespace {

bool IsCommentLine(const std::string& line, const EepromItem& item, NamelessLine nameless) {
    if (!item.name.empty()) return item.name.compare(0, 2, "//") == 0;
    return nameless == NamelessLine::Comment || line.find(',') == std::string::npos;
}

}  // namespace

void ItemsFromLines(const std::vector<std::string>& lines, std::vector<EepromItem>& items,
                    std::vector<std::size_t>* sourceLines, NamelessLine nameless) {
    items.clear();
    if (sourceLines) sourceLines->clear();
    std::size_t counted = 0;
    for (; counted < lines.size() && counted < kDataFileLines; ++counted) {
        EepromItem item = ItemFromLine(lines[counted]);
        if (IsCommentLine(lines[counted], item, nameless)) continue;
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
    ItemsFromLines(lines, items, nullptr, NamelessLine::Item);
    return true;
}

bool SaveItems(const std::string& path, const std::vector<EepromItem>& items, std::string* reason) {
    std::string content;
    for (const EepromItem& item : items) content += LineOfItem(item) + "\r\n";
    return WriteFileAtomic(path, content, reason);
}

}  // namespace quelda
