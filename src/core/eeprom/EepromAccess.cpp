#include "eeprom/EepromAccess.h"

namespace quelda {

std::vector<uint32_t> SignatureValues(EepromAccess access) {
    if (access == EepromAccess::Word) return {0x424F5245u, 0x4C494E4Bu};
    std::vector<uint32_t> bytes = {0x42, 0x4F, 0x52, 0x45, 0x4C, 0x49, 0x4E, 0x4B};
    bytes.resize(16, 0);
    return bytes;
}

}  // namespace quelda
