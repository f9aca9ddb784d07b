#include "device/FaultInjector.h"

#include <cstring>

namespace quelda {
namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool Due(int every, uint64_t frame) { return every > 0 && frame % every == 0; }

}  // namespace

char CFaultInjector::NoiseByte() {
    // xorshift: varied bytes, the same run every time; never a "$", which
    // would start a frame
    for (;;) {
        m_nSeed ^= m_nSeed << 13;
        m_nSeed ^= m_nSeed >> 17;
        m_nSeed ^= m_nSeed << 5;
        const char c = static_cast<char>(m_nSeed & 0xFF);
        if (c != '$') return c;
    }
}

std::string CFaultInjector::Apply(const std::string& line) {
    const uint64_t frame = ++m_nFrames;
    std::string out;
    out.reserve(line.size() + m_faults.noiseBytes);
    for (int i = 0; i < m_faults.noiseBytes; ++i) out += NoiseByte();
    if (Due(m_faults.cutEvery, frame)) return out + line.substr(0, line.size() / 2);
    out += line;
    if (Due(m_faults.badChecksumEvery, frame) && out.size() >= 4) {
        // another digit in place of the last one before CR LF
        char& digit = out[out.size() - 3];
        const char* known = std::strchr(kHexDigits, digit);
        digit = kHexDigits[((known != nullptr ? known - kHexDigits : 0) + 5) & 0x0F];
    }
    return out;
}

}  // namespace quelda
