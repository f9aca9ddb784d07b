#include "eeprom/ItemWord.h"

#include <cstring>
#include <limits>

#include "text/LenientNumbers.h"
#include "values/BinaryType.h"
#include "values/ConversionWriter.h"
#include "values/DisplayType.h"
#include "values/DspFloat.h"
#include "values/ValueFormatter.h"

namespace quelda {
namespace {

// The binary field type that reads N from W's bytes as they lie in memory.
BinaryType FormOf(const std::string& type) {
    static const struct {
        const char* type;
        const char* form;
    } kForms[] = {
        {"INT4", "UINT4BE"},    {"INT4BE", "UINT4BE"},    {"INT4LE", "UINT4LE"},
        {"FLOAT4", "FLOATDSP"}, {"FLOAT4BE", "FLOAT4BE"}, {"FLOAT4LE", "FLOAT4LE"},
    };
    for (const auto& f : kForms) {
        if (type == f.type) return BinaryType::Parse(f.form);
    }
    return {};
}

// W for the number bits n: reading n's bytes in the form's byte order, as
// reversing four bytes is its own inverse.
uint32_t WordOfNumber(const BinaryType& form, uint32_t n) {
    BinaryType order;
    order.kind = BinaryType::Kind::UInt32;
    order.width = 4;
    order.bigEndian = form.bigEndian;
    return static_cast<uint32_t>(order.Read(WordBytes(n).data()));
}

// "%X" of W, as hexValue holds it.
std::string HexOfWord(uint32_t word) {
    char text[8];  // WriteHex always stores eight bytes
    return std::string(text, WriteHex(word, true, text));
}

// A double beyond single precision has no float to round to (the cast
// would be undefined): it becomes an infinity of its sign.
float ToSingle(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::infinity();
    if (v < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

uint32_t SingleBits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

}  // namespace

uint32_t StoredWord(const EepromItem& item) { return ScanHex32(item.hexValue); }

std::array<uint8_t, 4> WordBytes(uint32_t word) {
    return {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
            static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
}

bool ValueToHex(EepromItem& item) {
    const BinaryType form = FormOf(item.type);
    if (!form.HasValue()) return false;
    const double scale = LenientAtof(item.lsb);
    uint32_t n = 0;
    if (form.kind == BinaryType::Kind::UInt32) {
        n = static_cast<uint32_t>(
            TruncateToInt64(static_cast<double>(LenientAtoi(item.value)) * scale));
    } else {
        const float f = ToSingle(LenientAtof(item.value) * scale);
        n = form.kind == BinaryType::Kind::Dsp ? FloatToDsp(f) : SingleBits(f);
    }
    item.hexValue = HexOfWord(WordOfNumber(form, n));
    return true;
}

bool StoreRaw(EepromItem& item, uint32_t word) {
    item.hexValue = HexOfWord(word);
    const BinaryType form = FormOf(item.type);
    if (!form.HasValue()) return false;
    const double scale = LenientAtof(item.lsb);
    if (scale == 0.0) {
        item.value.clear();  // an old value would pass for the device's
        return false;
    }
    item.value =
        FormatValue(item.format, item.displayType, form.Read(WordBytes(word).data()) / scale);
    return true;
}

}  // namespace quelda
