#include "device/DeviceFaults.h"

#include <cstdlib>

namespace quelda {
namespace {

constexpr long kMaxNoise = 4096;
constexpr long kMaxDelayMs = 600000;

bool ParseCount(const std::string& text, long max, int& out) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > max) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

const char* const DeviceFaults::kNames[6] = {"BAD_CHECKSUM", "CUT",        "NOISE",
                                             "DELAY",        "NAK_WRITES", "SILENT"};

bool DeviceFaults::Set(const std::string& name, const std::string& value, std::string& error) {
    int flag = 0;
    bool ok = false;
    if (name == "BAD_CHECKSUM") {
        ok = ParseCount(value, 1000000, badChecksumEvery);
    } else if (name == "CUT") {
        ok = ParseCount(value, 1000000, cutEvery);
    } else if (name == "NOISE") {
        ok = ParseCount(value, kMaxNoise, noiseBytes);
    } else if (name == "DELAY") {
        ok = ParseCount(value, kMaxDelayMs, delayMs);
    } else if (name == "NAK_WRITES") {
        ok = ParseCount(value, 1, flag);
        if (ok) nakWrites = flag != 0;
    } else if (name == "SILENT") {
        ok = ParseCount(value, 1, flag);
        if (ok) silent = flag != 0;
    } else {
        error = "unknown fault \"" + name + "\"";
        return false;
    }
    if (!ok) error = "fault " + name + ": bad value \"" + value + "\"";
    return ok;
}

}  // namespace quelda
