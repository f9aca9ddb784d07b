#pragma once
// Applies the line faults to each frame on its way out.
#include <cstdint>
#include <string>

#include "device/DeviceFaults.h"

namespace quelda {

class CFaultInjector {
public:
    explicit CFaultInjector(const DeviceFaults& faults) : m_faults(faults) {}

    // The bytes that go on the wire for one complete line (… "*" XX CR LF):
    // noise first, then the line, its checksum spoiled or the line cut
    // short when this frame's turn has come.
    std::string Apply(const std::string& line);

private:
    char NoiseByte();

    const DeviceFaults& m_faults;
    uint64_t m_nFrames = 0;
    uint32_t m_nSeed = 0x2545F491u;
};

}  // namespace quelda
