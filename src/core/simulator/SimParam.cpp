#include "simulator/SimParam.h"

#include "text/CommaLines.h"

namespace quelda {

SimParam SimParam::FromLine(const std::string& line) {
    const std::vector<std::string> c = SplitComma(line, 10);
    SimParam p;
    p.caption = c[0];
    p.type = c[1];
    p.digits = c[2];
    p.format = c[3];
    p.unit = c[4];
    p.value = c[5];
    p.multiplier = c[6];
    p.divisor = c[7];
    p.offset = c[8];
    p.choiceFile = c[9];
    return p;
}

std::string SimParam::ToLine() const {
    std::string line;
    for (const std::string* c : {&caption, &type, &digits, &format, &unit, &value, &multiplier,
                                 &divisor, &offset, &choiceFile}) {
        if (c != &caption) line += ',';
        line += *c;
    }
    return line;
}

int SimParam::InitialSelection() const {
    if (OfferedCount() == 0) return -1;
    int found = 0;
    for (std::size_t i = 1; i < options.size(); ++i) {
        if (options[i].value == value) found = static_cast<int>(i - 1);
    }
    return found;
}

std::string SimParam::ValueForSelection(int selection) const {
    const long long s = static_cast<long long>(selection) + 1;
    if (s >= 0 && s < static_cast<long long>(options.size())) return options[s].value;
    return value;
}

int SimParam::FindOffered(const std::string& text) const {
    for (std::size_t i = 1; i < options.size(); ++i) {
        if (options[i].text == text) return static_cast<int>(i - 1);
    }
    return -1;
}

}  // namespace quelda
