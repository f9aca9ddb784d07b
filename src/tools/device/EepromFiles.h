#pragma once
// The device's memory image from the program's own EEPROM files: the page
// table (title,startAddress,checksumAddress; line 0 the signature block) and
// the data file (header line, then parameter lines; item k of page p is
// parameter (p - 1) x 32 + k + 1).
#include <string>
#include <vector>

#include "device/MemoryImage.h"

namespace quelda {

// Page-table lines as the program reads them: empty lines and lines
// beginning with "//" are skipped, addresses are hexadecimal.
bool LoadPageLines(const std::string& path, std::vector<CMemoryImage::PageLine>& lines);

// Sets up the image from both files and seals it (signature and page
// checksums written). A missing page table gives an empty image; a missing
// data file leaves the pages 0. Problems are reported, not fatal.
void LoadEepromImage(const std::string& tablePath, const std::string& dataPath, uint32_t size,
                     CMemoryImage& image, std::vector<std::string>& problems);

// Rewrites the data file's parameter lines with the image's words (view
// `access`): hexValue from the word, value shown from it; every other line
// stays as it was. false with a reason when the file cannot be read or
// written (an old file is then left whole).
bool SaveEepromImage(const CMemoryImage& image, CMemoryImage::Access access,
                     const std::string& dataPath, std::string& error);

}  // namespace quelda
