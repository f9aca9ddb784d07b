#include "device/EepromFiles.h"

#include "eeprom/EepromData.h"
#include "eeprom/EepromPage.h"
#include "eeprom/ItemWord.h"
#include "text/TextFile.h"

namespace quelda {
namespace {

std::vector<CMemoryImage::PageLine> PageLines(const std::vector<EepromPage>& pages) {
    std::vector<CMemoryImage::PageLine> lines;
    for (const EepromPage& page : pages) lines.push_back({page.StartAt(), page.ChecksumAt()});
    return lines;
}

std::size_t PageOfItem(std::size_t item) { return (item - 1) / kItemsPerPage + 1; }
uint32_t PlaceOnPage(std::size_t item) { return static_cast<uint32_t>((item - 1) % kItemsPerPage); }

// What follows an item's eight fields on its line: "" or "," and the rest.
std::string TextAfterItem(const std::string& line) {
    std::size_t at = 0;
    for (int field = 0; field < 8; ++field) {
        at = line.find(',', at);
        if (at == std::string::npos) return {};
        ++at;
    }
    return line.substr(at - 1);
}

}  // namespace

void LoadEepromImage(const std::string& tablePath, const std::string& dataPath, uint32_t size,
                     CMemoryImage& image, std::vector<std::string>& problems) {
    std::vector<EepromPage> pages;
    if (!LoadPageTable(tablePath, pages)) problems.push_back(tablePath + ": cannot be read");
    image.SetTable(PageLines(pages), size);
    std::vector<std::string> lines;
    if (!dataPath.empty() && !ReadLines(dataPath, lines)) {
        problems.push_back(dataPath + ": cannot be read");
    }
    std::vector<EepromItem> items;
    std::vector<std::size_t> source;
    ItemsFromLines(lines, items, &source);
    std::size_t unplaced = 0;
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (source[i] == kFillerItem) continue;
        if (items[i].hexValue.empty()) {
            problems.push_back(dataPath + ":" + std::to_string(source[i] + 1) +
                               ": no hexValue and no known type; stored as 0");
        }
        if (!image.StoreItem(PageOfItem(i), PlaceOnPage(i), StoredWord(items[i]))) ++unplaced;
    }
    if (unplaced != 0) {
        problems.push_back(dataPath + ": " + std::to_string(unplaced) +
                           " parameters lie on pages the page table does not name");
    }
    image.Seal();
}

bool SaveEepromImage(const CMemoryImage& image, CMemoryImage::Access access,
                     const std::string& dataPath, std::string& error) {
    std::vector<std::string> lines;
    if (!ReadLines(dataPath, lines)) {
        error = dataPath + ": cannot be read";
        return false;
    }
    std::vector<EepromItem> items;
    std::vector<std::size_t> source;
    ItemsFromLines(lines, items, &source);
    for (std::size_t i = 1; i < items.size(); ++i) {
        uint32_t word = 0;
        if (source[i] == kFillerItem ||
            !image.LoadItem(access, PageOfItem(i), PlaceOnPage(i), word)) {
            continue;
        }
        StoreRaw(items[i], word);
        std::string& line = lines[source[i]];
        line = LineOfItem(items[i]) + TextAfterItem(line);
    }
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    if (!WriteFileAtomic(dataPath, content)) {
        error = dataPath + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace quelda
