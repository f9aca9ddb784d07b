#include "device/LineParams.h"

#include <cstdlib>

namespace quelda {
namespace {

constexpr uint32_t kMaxBaud = 4000000;

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

const char* ParityText(int parity) {
    switch (parity) {
        case 1:
            return "ODD";
        case 2:
            return "EVEN";
        default:
            return "NO";
    }
}

const char* StopText(int stopBits) {
    switch (stopBits) {
        case 1:
            return "1.5";
        case 2:
            return "2";
        default:
            return "1";
    }
}

bool ParseBaud(const std::string& text, LineParams& out, std::string& error) {
    if (text.empty()) return true;
    const unsigned long value = AllDigits(text) ? std::strtoul(text.c_str(), nullptr, 10) : 0;
    if (value == 0 || value > kMaxBaud) {
        error = "bad baud rate \"" + text + "\"";
        return false;
    }
    out.baud = static_cast<uint32_t>(value);
    return true;
}

bool ParseData(const std::string& text, LineParams& out, std::string& error) {
    if (text.empty()) return true;
    if (text.size() != 1 || text[0] < '5' || text[0] > '8') {
        error = "bad data bits \"" + text + "\"";
        return false;
    }
    out.dataBits = text[0] - '0';
    return true;
}

// text must be one of the names name(0) .. name(count - 1).
bool ParseNamed(const std::string& text, const char* (*name)(int), int count, int& out) {
    for (int i = 0; i < count; ++i) {
        if (text == name(i)) {
            out = i;
            return true;
        }
    }
    return false;
}

bool ParseParity(const std::string& text, LineParams& out, std::string& error) {
    if (text.empty() || ParseNamed(text, ParityText, 3, out.parity)) return true;
    error = "bad parity \"" + text + "\" (EVEN, ODD or NO)";
    return false;
}

bool ParseStop(const std::string& text, LineParams& out, std::string& error) {
    if (text.empty() || ParseNamed(text, StopText, 3, out.stopBits)) return true;
    error = "bad stop bits \"" + text + "\" (1, 1.5 or 2)";
    return false;
}

}  // namespace

bool ParseLineParams(const std::string& baud, const std::string& dataBits,
                     const std::string& parity, const std::string& stopBits, LineParams& out,
                     std::string& error) {
    LineParams parsed;
    if (!ParseBaud(baud, parsed, error) || !ParseData(dataBits, parsed, error) ||
        !ParseParity(parity, parsed, error) || !ParseStop(stopBits, parsed, error)) {
        return false;
    }
    out = parsed;
    return true;
}

std::string DescribeLine(const LineParams& wanted, const LineView& seen) {
    const uint32_t baud = wanted.baud != 0 ? wanted.baud : seen.baud;
    const int data = wanted.dataBits != LineParams::kAny ? wanted.dataBits : 8;
    const int parity = wanted.parity != LineParams::kAny ? wanted.parity : (seen.odd ? 1 : 0);
    const int stop = wanted.stopBits != LineParams::kAny ? wanted.stopBits : (seen.twoStop ? 2 : 0);
    return std::to_string(baud) + "," + std::to_string(data) + "," + ParityText(parity) + "," +
           StopText(stop);
}

bool LineMatches(const LineParams& wanted, const LineView& seen) {
    if (wanted.baud != 0 && wanted.baud != seen.baud) return false;
    if (wanted.parity != LineParams::kAny && (wanted.parity == 1) != seen.odd) return false;
    if (wanted.stopBits != LineParams::kAny && (wanted.stopBits != 0) != seen.twoStop) return false;
    return true;
}

}  // namespace quelda
