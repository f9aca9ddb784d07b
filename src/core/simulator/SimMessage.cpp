#include "simulator/SimMessage.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "text/LenientNumbers.h"
#include "values/FormatSpec.h"
#include "values/ValueFormatter.h"

namespace quelda {

namespace {

// 10 to the digits, or 0 when every integer digit stays.
int64_t CutModulus(int digits) {
    if (digits > kMaxCutDigits) return 0;
    int64_t p = 1;
    for (int i = 0; i < digits; ++i) p *= 10;
    return p;
}

std::string StringField(const SimParam& param) {
    const int n = LenientAtoi(param.digits);
    const std::string text =
        n < 0 ? std::string() : param.value.substr(0, static_cast<std::size_t>(n));
    if (param.format.empty()) return {};
    const FormatSpec spec = ParseStringFormatSpec(param.format);
    return spec.valid ? FormatString(spec, text) : kBadFormatMarker;
}

std::string IntField(const SimParam& param) {
    int64_t v = LenientAtoi(param.value);
    const int64_t p = CutModulus(LenientAtoi(param.digits));
    if (p != 0) v %= p;
    v *= LenientAtoi(param.multiplier);
    const int64_t divisor = LenientAtoi(param.divisor);
    if (divisor != 0) v /= divisor;
    v += LenientAtoi(param.offset);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return ValueFormatter(param.format, "INT4").Format(static_cast<double>(v));
}

std::string FloatField(const SimParam& param) {
    double x = LenientAtof(param.value) * LenientAtof(param.multiplier);
    // the integer reading of the divisor decides, so 0.5 divides by nothing
    if (LenientAtoi(param.divisor) != 0) x /= LenientAtof(param.divisor);
    x += LenientAtof(param.offset);
    const int64_t p = CutModulus(LenientAtoi(param.digits));
    // x - (trunc(x) / p) * p without an integer that may not hold trunc(x)
    if (p != 0) x = std::fmod(x, static_cast<double>(p));
    return ValueFormatter(param.format, "FLOAT").Format(x);
}

}  // namespace

std::string BuildField(const SimParam& param) {
    if (param.type == "STRING") return StringField(param);
    if (param.type == "INT") return IntField(param);
    if (param.type == "FLOAT") return FloatField(param);
    return {};
}

std::string BuildMessage(const std::string& headerAndType, const std::vector<SimParam>& params,
                         bool checksum) {
    std::string message = headerAndType;
    for (const SimParam& param : params) message += "," + BuildField(param);
    if (checksum) message += '*';
    return message;
}

bool PeriodInterval(const std::string& periodText, int& milliseconds) {
    const double f = LenientAtof(periodText);
    if (!(f > 0)) return false;  // 0, negative, NaN
    const double ms = std::trunc(1000.0 / f);
    if (ms < kMinIntervalMs) {
        milliseconds = kMinIntervalMs;
    } else if (ms > kMaxIntervalMs) {
        milliseconds = kMaxIntervalMs;
    } else {
        milliseconds = static_cast<int>(ms);
    }
    return true;
}

}  // namespace quelda
