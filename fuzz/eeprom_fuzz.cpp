// The EEPROM page table and data file: the input is the table, a NUL, then
// the data. Saved items load back item for item.
#include <cstdint>

#include "FuzzFiles.h"
#include "eeprom/EepromData.h"
#include "eeprom/EepromPage.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> pieces = quelda::fuzz::Pieces(data, size, 2);
    std::vector<quelda::EepromPage> pages;
    quelda::LoadPageTable(quelda::fuzz::WriteScratch("EEPROM.TXT", pieces[0]), pages);
    const std::string path = quelda::fuzz::WriteScratch("DATA.TXT", pieces[1]);
    std::vector<quelda::EepromItem> items;
    Check(quelda::LoadItems(path, items), "data file loads");
    Check(!items.empty(), "at least the header item");
    Check(quelda::SaveItems(path, items), "items saved");
    std::vector<quelda::EepromItem> again;
    Check(quelda::LoadItems(path, again), "saved data loads");
    // a file whose dropped lines made the list short is filled on reload
    Check(again.size() >= items.size() && again.size() <= quelda::kDataFileLines, "item count");
    for (std::size_t i = 0; i < again.size(); ++i) {
        const quelda::EepromItem& b = again[i];
        if (i >= items.size()) {
            Check(b.name.empty() && b.value.empty(), "fillers after the saved items");
            continue;
        }
        const quelda::EepromItem& a = items[i];
        Check(a.name == b.name && a.type == b.type && a.lsb == b.lsb && a.format == b.format &&
                  a.unit == b.unit && a.value == b.value && a.displayType == b.displayType,
              "saved items load back item for item");
    }
    return 0;
}
