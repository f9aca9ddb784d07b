#include "device/ItemWord.h"

#include <cstring>

#include "text/LenientNumbers.h"
#include "values/DisplayType.h"
#include "values/DspFloat.h"
#include "values/ValueFormatter.h"

namespace quelda {
namespace {

enum { kType = 1, kLsb = 2, kFormat = 3, kValue = 5, kHex = 6, kDisplay = 7 };

uint32_t Swap(uint32_t w) {
    return (w >> 24) | ((w >> 8) & 0xFF00u) | ((w << 8) & 0xFF0000u) | (w << 24);
}

uint32_t FloatBits(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

float BitsFloat(uint32_t bits) {
    float f = 0.0f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

const std::string& Field(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string kEmpty;
    return i < fields.size() ? fields[i] : kEmpty;
}

// How a type reads the stored word: as an integer or a float, in which form,
// and whether its bytes are reversed first.
struct WordForm {
    enum class Kind { None, Integer, Dsp, Single } kind = Kind::None;
    bool reversed = false;
};

WordForm FormOf(const std::string& type) {
    using Kind = WordForm::Kind;
    if (type == "INT4" || type == "INT4BE") return {Kind::Integer, false};
    if (type == "INT4LE") return {Kind::Integer, true};
    if (type == "FLOAT4") return {Kind::Dsp, false};
    if (type == "FLOAT4BE") return {Kind::Single, false};
    if (type == "FLOAT4LE") return {Kind::Single, true};
    return {};
}

}  // namespace

bool WordOfItem(const std::vector<std::string>& fields, uint32_t& word) {
    if (!Field(fields, kHex).empty()) {
        word = ScanHex32(Field(fields, kHex));
        return true;
    }
    const WordForm form = FormOf(Field(fields, kType));
    const double scale = LenientAtof(Field(fields, kLsb));
    uint32_t w = 0;
    switch (form.kind) {
        case WordForm::Kind::Integer:
            // the shown value is cut to its integer part before it is scaled
            w = static_cast<uint32_t>(
                TruncateToInt64(static_cast<double>(LenientAtoi(Field(fields, kValue))) * scale));
            break;
        case WordForm::Kind::Dsp:
            w = FloatToDsp(static_cast<float>(LenientAtof(Field(fields, kValue)) * scale));
            break;
        case WordForm::Kind::Single:
            w = FloatBits(static_cast<float>(LenientAtof(Field(fields, kValue)) * scale));
            break;
        case WordForm::Kind::None:
            return false;
    }
    word = form.reversed ? Swap(w) : w;
    return true;
}

bool ShownValueOfWord(const std::vector<std::string>& fields, uint32_t word, std::string& text) {
    const WordForm form = FormOf(Field(fields, kType));
    const double scale = LenientAtof(Field(fields, kLsb));
    if (form.kind == WordForm::Kind::None || scale == 0.0) return false;
    const uint32_t w = form.reversed ? Swap(word) : word;
    double n = w;
    if (form.kind == WordForm::Kind::Dsp) n = DspToFloat(w);
    if (form.kind == WordForm::Kind::Single) n = BitsFloat(w);
    text = FormatValue(Field(fields, kFormat), Field(fields, kDisplay), n / scale);
    return true;
}

}  // namespace quelda
