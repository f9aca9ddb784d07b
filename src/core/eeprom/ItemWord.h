#pragma once
// An item's stored 32-bit word W and its shown value, both ways. The type
// names how W reads as a number N:
//   INT4, INT4BE  N = W, unsigned
//   INT4LE        N = W with its four bytes reversed, unsigned
//   FLOAT4        N = W as a DSP float
//   FLOAT4BE      N = W as IEEE single-precision bits
//   FLOAT4LE      N = W reversed, as IEEE single-precision bits
// Type names are exact and case-sensitive; any other type is carried as text
// but never converted. N = shown value x lsb.
#include <array>
#include <cstdint>

#include "eeprom/EepromItem.h"

namespace quelda {

// W, the item's hexValue read with "%X"; 0 when it holds no hex digit.
uint32_t StoredWord(const EepromItem& item);

// W's four bytes as they lie in byte-access memory, most significant first.
std::array<uint8_t, 4> WordBytes(uint32_t word);

// hexValue from value x lsb (integer types cut value to its integer part
// first). false, hexValue unchanged, for a type without a conversion.
bool ValueToHex(EepromItem& item);

// Takes a word read from the device: hexValue = W, and value = N / lsb through
// format and displayType. false with value unchanged for a type without a
// conversion or an lsb of 0, which gives no quotient worth showing.
bool StoreRaw(EepromItem& item, uint32_t word);

}  // namespace quelda
