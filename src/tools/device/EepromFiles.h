#pragma once
// The device's memory image from the program's own EEPROM files, read by the
// same rules as the editor reads them, and written back into the data file.
#include <string>
#include <vector>

#include "device/MemoryImage.h"

namespace quelda {

// Sets up the image from both files and seals it (signature and page
// checksums written). A missing page table gives an empty image; a missing
// data file leaves the pages 0. Problems are reported, not fatal.
void LoadEepromImage(const std::string& tablePath, const std::string& dataPath, uint32_t size,
                     CMemoryImage& image, std::vector<std::string>& problems);

// Rewrites the data file's parameter lines with the image's words (view
// `access`): hexValue from the word, value shown from it; every other line,
// and what follows a line's eight fields, stays as it was. false with a
// reason when the file cannot be read or written (an old file is then left
// whole).
bool SaveEepromImage(const CMemoryImage& image, CMemoryImage::Access access,
                     const std::string& dataPath, std::string& error);

}  // namespace quelda
