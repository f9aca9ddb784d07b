// The line settings as the channel takes them, from the five strings the
// user edits.
#include <cstdint>

#include "comm/ComPort.h"
#include "text/LenientNumbers.h"

namespace quelda {
namespace {

// atoi's reading; a value the field cannot hold reads as 0, which no port
// accepts, rather than wrapping to a plausible setting.
uint32_t BoundedValue(const std::string& text, uint32_t max) {
    const long long value = LenientAtoll(text);
    if (value < 0 || value > static_cast<long long>(max)) return 0;
    return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t BaudFromText(const std::string& text) { return BoundedValue(text, UINT32_MAX); }

uint8_t DataBitsFromText(const std::string& text) {
    return static_cast<uint8_t>(BoundedValue(text, UINT8_MAX));
}

uint8_t ParityFromText(const std::string& text) {
    if (text == "EVEN") return 2;
    if (text == "ODD") return 1;
    return 0;
}

uint8_t StopBitsFromText(const std::string& text) {
    const double value = LenientAtof(text);
    if (value == 2.0) return 2;
    if (value == 1.5) return 1;
    return 0;
}

}  // namespace quelda
