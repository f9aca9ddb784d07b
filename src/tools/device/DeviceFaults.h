#pragma once
// Faults the device can be told to make, by name (profile section FAULTS or
// --fault NAME=VALUE).
#include <string>

namespace quelda {

struct DeviceFaults {
    int badChecksumEvery = 0;  // BAD_CHECKSUM: every n-th frame sent has a wrong checksum
    int cutEvery = 0;          // CUT: every n-th frame sent stops halfway, without CR LF
    int noiseBytes = 0;        // NOISE: this many bytes of noise before every frame
    int delayMs = 0;           // DELAY: every reply goes out this late
    bool nakWrites = false;    // NAK_WRITES: every EB/EW write is answered "NAK"
    bool silent = false;       // SILENT: nothing is answered

    // Sets one fault from its name and a decimal value (0 turns it off).
    // false with a reason for an unknown name or a value out of range.
    bool Set(const std::string& name, const std::string& value, std::string& error);

    static const char* const kNames[6];
};

}  // namespace quelda
