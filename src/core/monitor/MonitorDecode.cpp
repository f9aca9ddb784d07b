#include "monitor/MonitorDecode.h"

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"

namespace quelda {

void DecodeTextItems(std::vector<MonitorItem>& items, const std::string& frameText,
                     int elementShift) {
    const std::vector<std::string> elements = SplitElements(frameText);
    for (std::size_t i = 1; i < items.size(); ++i) {
        MonitorItem& item = items[i];
        const long long position = LenientAtoi(item.position);
        if (position == 0) continue;
        const long long index = position + elementShift;
        if (index < 0 || index >= static_cast<long long>(elements.size())) continue;
        item.codec.DecodeText(elements[static_cast<std::size_t>(index)], item.value);
    }
}

void DecodeBlockItems(std::vector<MonitorItem>& items, const uint8_t* block, std::size_t length) {
    long long p = 2;
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (p < 2 || p >= static_cast<long long>(length)) return;
        MonitorItem& item = items[i];
        const FieldResult r = item.codec.DecodeBinary(block, length, p, item.value);
        if (r.status == FieldResult::Status::PastEnd) item.value.clear();
        p = r.next;
    }
}

uint16_t ReadBlockLength(const uint8_t* twoBytes, int lengthFormat) {
    if (lengthFormat == 0) return static_cast<uint16_t>(twoBytes[0] | (twoBytes[1] << 8));
    return static_cast<uint16_t>((twoBytes[0] << 8) | twoBytes[1]);
}

}  // namespace quelda
