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
// An integer product beyond the 64-bit range saturates before its low 32
// bits are taken (so FFFFFFFF above, 0 below, 0 for NaN). A float product
// beyond single precision is an infinity; in "FLOAT4" +inf is the largest
// DSP value, -inf the most negative one and NaN the DSP zero.
bool ValueToHex(EepromItem& item);

// Takes a word read from the device: hexValue = W, and value = N / lsb through
// format and displayType. For a type without a conversion value stays; for
// an lsb of 0 (empty or not a number) value becomes empty, as no quotient
// exists, while hexValue still carries the word. false in both cases.
bool StoreRaw(EepromItem& item, uint32_t word);

}  // namespace quelda
