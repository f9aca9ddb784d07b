#pragma once
// Undoes the in-band marks a tty puts into the stream when it checks parity
// with marking on: "\377 \377" is a real 0xFF, "\377 \0 c" is the byte c
// received with a parity or framing error (the line discipline cannot tell
// which, so it counts as a parity error), "\377 \0 \0" is a break. A mark may
// be split across reads; the state carries over.
#include <cstddef>
#include <cstdint>

namespace quelda {

class CParmrkDecoder {
public:
    // Decodes count bytes into out, which must hold count + 1 bytes (a 0xFF
    // held back from the previous call may be released). Returns the number
    // of data bytes written; flags receives CE_RXPARITY and CE_BREAK bits of
    // the marks completed in this call.
    std::size_t Decode(const uint8_t* in, std::size_t count, uint8_t* out, uint32_t& flags);

private:
    enum State {
        kData,    // plain bytes
        kEscape,  // after \377
        kMarked,  // after \377 \0: the next byte is damaged, or \0 for a break
    };
    State m_nState = kData;
};

}  // namespace quelda
