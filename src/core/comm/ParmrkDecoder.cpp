#include "comm/ParmrkDecoder.h"

#include "comm/LineErrors.h"

namespace quelda {

std::size_t CParmrkDecoder::Decode(const uint8_t* in, std::size_t count, uint8_t* out,
                                   uint32_t& flags) {
    std::size_t n = 0;
    flags = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t ch = in[i];
        switch (m_nState) {
            case kData:
                if (ch == 0xFF) {
                    m_nState = kEscape;
                } else {
                    out[n++] = ch;
                }
                break;
            case kEscape:
                if (ch == 0x00) {
                    m_nState = kMarked;
                    break;
                }
                // "\377 \377" is the escaped 0xFF; anything else cannot come
                // from the line discipline, so both bytes are kept as data.
                out[n++] = 0xFF;
                if (ch != 0xFF) out[n++] = ch;
                m_nState = kData;
                break;
            case kMarked:
                if (ch == 0x00) {
                    flags |= CE_BREAK;
                } else {
                    flags |= CE_RXPARITY;
                    out[n++] = ch;
                }
                m_nState = kData;
                break;
        }
    }
    return n;
}

}  // namespace quelda
