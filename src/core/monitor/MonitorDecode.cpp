#include "monitor/MonitorDecode.h"

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"

namespace quelda {

void DecodeTextItems(std::vector<MonitorItem>& items, const std::string& frameText,
                     int elementShift) {
    const std::vector<std::string> elements = SplitElements(frameText);
    for (std::size_t i = 1; i < items.size(); ++i) {
        MonitorItem& item = items[i];
        if (const std::string* element = ItemElement(item, elements, elementShift))
            item.codec.DecodeText(*element, item.value);
    }
}

const std::string* ItemElement(const MonitorItem& item, const std::vector<std::string>& elements,
                               int elementShift) {
    const long long position = LenientAtoi(item.position);
    if (position == 0) return nullptr;
    const long long index = position + elementShift;
    if (index < 0 || index >= static_cast<long long>(elements.size())) return nullptr;
    return &elements[static_cast<std::size_t>(index)];
}

void DecodeBlockItems(std::vector<MonitorItem>& items, const uint8_t* block, std::size_t length) {
    WalkBlockItems(items, length, [&](std::size_t i, const MonitorItem&, long long p) {
        MonitorItem& item = items[i];
        const FieldResult r = item.codec.DecodeBinary(block, length, p, item.value);
        if (r.status == FieldResult::Status::PastEnd) item.value.clear();
        return r.next;
    });
}

uint16_t ReadBlockLength(const uint8_t* twoBytes, int lengthFormat) {
    if (lengthFormat == 0) return static_cast<uint16_t>(twoBytes[0] | (twoBytes[1] << 8));
    return static_cast<uint16_t>((twoBytes[0] << 8) | twoBytes[1]);
}

}  // namespace quelda
