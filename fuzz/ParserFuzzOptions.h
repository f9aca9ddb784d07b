#pragma once
// How the first byte of a fuzz input sets up the parser; shared by the fuzz
// target and the stream generator of the standalone driver.
#include <cstddef>
#include <cstdint>

namespace quelda::fuzz {

struct ParserFuzzOptions {
    int lengthOrder;     // 0: low byte first
    const char* binary;  // binary command name
    const char* header;  // receive header
    std::size_t chunk;   // how many bytes the second parser gets per call
};

inline ParserFuzzOptions DecodeOptions(uint8_t b) {
    static const char* const kHeaders[] = {"$QVR", "$QVR", "$", "QVR"};
    static const std::size_t kChunks[] = {1, 7, 64, 1 << 20};
    return {b & 1, (b & 2) ? "MON3" : "BIN", kHeaders[(b >> 2) & 3], kChunks[(b >> 4) & 3]};
}

}  // namespace quelda::fuzz
