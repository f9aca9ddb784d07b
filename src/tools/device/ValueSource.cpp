#include "device/ValueSource.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quelda {
namespace {

constexpr double kPi = 3.14159265358979323846;

bool ParseArgs(const std::vector<std::string>& args, std::size_t count, double* out,
               std::string& error) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = i < args.size() ? args[i] : std::string();
        if (!ParseDeviceNumber(text, out[i])) {
            error = "argument " + std::to_string(i + 1) + " \"" + text + "\" is not a number";
            return false;
        }
    }
    return true;
}

double Fraction(double x) { return x - std::floor(x); }

}  // namespace

bool ParseDeviceNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const unsigned long long hex = std::strtoull(text.c_str() + 2, &end, 16);
        if (*end != '\0' || hex > 0xFFFFFFFFull) return false;
        value = static_cast<double>(hex);
        return true;
    }
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

bool CValueSource::Parse(const std::string& name, const std::vector<std::string>& args,
                         std::string& error) {
    m_strLiteral = args.empty() ? std::string() : args[0];
    double v[3] = {0.0, 0.0, 0.0};
    if (name == "CONST") {
        m_kind = Kind::Const;
        // a text constant is fine for an empty format; the number is for the others
        if (!ParseDeviceNumber(m_strLiteral, m_a)) m_a = 0.0;
        return true;
    }
    if (name == "MILLIS") {
        m_kind = Kind::Millis;
        return true;
    }
    if (name == "BITS") {
        m_kind = Kind::Bits;
        return ParseBits(args, error);
    }
    if (name == "COUNTER") {
        m_kind = Kind::Counter;
    } else if (name == "SINE") {
        m_kind = Kind::Sine;
    } else if (name == "RAMP") {
        m_kind = Kind::Ramp;
    } else {
        error = "unknown generator \"" + name + "\"";
        return false;
    }
    if (!ParseArgs(args, 3, v, error)) return false;
    m_a = v[0];
    m_b = v[1];
    m_c = v[2];
    return true;
}

bool CValueSource::ParseBits(const std::vector<std::string>& args, std::string& error) {
    if (!ParseArgs(args, 1, &m_a, error)) return false;
    m_ranges.clear();
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (args[i].empty()) continue;  // unused trailing columns
        BitRange range;
        int matched = std::sscanf(args[i].c_str(), "%d-%d", &range.low, &range.high);
        if (matched < 1) {
            error = "bit range \"" + args[i] + "\" is not \"low-high\"";
            return false;
        }
        if (matched == 1) range.high = range.low;
        const std::string periodText = i + 1 < args.size() ? args[i + 1] : std::string();
        if (range.low < 0 || range.high > 31 || range.high < range.low ||
            !ParseDeviceNumber(periodText, range.period) || range.period <= 0.0) {
            error = "bit range \"" + args[i] + "\" needs bits 0..31 and a period above 0";
            return false;
        }
        m_ranges.push_back(range);
    }
    return true;
}

double CValueSource::Value(double t, uint64_t n) const {
    switch (m_kind) {
        case Kind::Const:
            return m_a;
        case Kind::Counter: {
            const double v = m_a + static_cast<double>(n) * m_b;
            return m_c > 0.0 ? v - std::floor(v / m_c) * m_c : v;
        }
        case Kind::Sine:
            return m_b > 0.0 ? m_c + m_a * std::sin(2.0 * kPi * t / m_b) : m_c;
        case Kind::Ramp:
            return m_c > 0.0 ? m_a + (m_b - m_a) * Fraction(t / m_c) : m_a;
        case Kind::Bits:
            return BitsValue(t);
        case Kind::Millis:
            return std::floor(t * 1000.0);
    }
    return 0.0;
}

double CValueSource::BitsValue(double t) const {
    uint32_t word = static_cast<uint32_t>(static_cast<uint64_t>(m_a));
    for (const BitRange& range : m_ranges) {
        const int width = range.high - range.low + 1;
        const uint64_t fieldMask = width >= 32 ? 0xFFFFFFFFull : ((1ull << width) - 1);
        const uint64_t steps = static_cast<uint64_t>(std::floor(t / range.period));
        const uint64_t field = (((word >> range.low) & fieldMask) + steps) & fieldMask;
        word = static_cast<uint32_t>((word & ~(fieldMask << range.low)) | (field << range.low));
    }
    return static_cast<double>(word);
}

}  // namespace quelda
