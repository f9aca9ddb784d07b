#include "eeprom/EepromPage.h"

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"
#include "text/TextFile.h"

namespace quelda {

uint32_t EepromPage::StartAt() const { return ScanHex32(startAddress); }

uint32_t EepromPage::ChecksumAt() const { return ScanHex32(checksumAddress); }

bool LoadPageTable(const std::string& path, std::vector<EepromPage>& pages) {
    pages.clear();
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) return false;
    for (const std::string& line : lines) {
        // only the line's start counts: a line with an empty title is a page
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        std::vector<std::string> f = SplitComma(line, 3);
        pages.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2])});
    }
    return true;
}

}  // namespace quelda
