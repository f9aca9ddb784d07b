#pragma once
// The page table: which pages the device's parameter memory has, what each
// tab is called, where a page's items lie and where its checksum goes.
// Line 0 is the signature block, of which only the start is used; lines 1,
// 2, ... are the pages.
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

struct EepromPage {
    std::string title;            // the tab's caption
    std::string startAddress;     // hexadecimal: the page's first byte or word
    std::string checksumAddress;  // hexadecimal: where the page checksum is written

    // The addresses as a transfer reads them ("%X"; 0 without hex digits).
    uint32_t StartAt() const;
    uint32_t ChecksumAt() const;
};

// Replaces pages with the table's lines in file order; empty lines and lines
// beginning "//" are skipped, missing fields are empty. false when the file
// cannot be read (pages is then empty): the editor then has no pages rather
// than an error.
bool LoadPageTable(const std::string& path, std::vector<EepromPage>& pages);

}  // namespace quelda
