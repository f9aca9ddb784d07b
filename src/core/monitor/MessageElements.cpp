#include "monitor/MessageElements.h"

namespace quelda {

std::vector<std::string> SplitElements(const std::string& text) {
    std::vector<std::string> elements;
    std::size_t start = 0;
    for (;;) {
        const std::size_t cut = text.find_first_of(",*", start);
        if (cut == std::string::npos) {
            elements.emplace_back(text, start, std::string::npos);
            return elements;
        }
        elements.emplace_back(text, start, cut - start);
        start = cut + 1;
    }
}

}  // namespace quelda
