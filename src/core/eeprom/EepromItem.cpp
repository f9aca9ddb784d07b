#include "eeprom/EepromItem.h"

#include "text/CommaLines.h"

namespace quelda {

EepromItem DefaultHeaderItem() {
    // the files are UTF-8 on this platform, so are the default headers
    return {"名前", "型", "ＬＳＢ", "表示", "単位", "値", "ＨＥＸ値", "表示型"};
}

EepromItem ItemFromLine(const std::string& line) {
    std::vector<std::string> f = SplitComma(line, 8);
    return {std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]),
            std::move(f[4]), std::move(f[5]), std::move(f[6]), std::move(f[7])};
}

std::string LineOfItem(const EepromItem& item) {
    std::string line;
    for (const std::string* field : {&item.name, &item.type, &item.lsb, &item.format, &item.unit,
                                     &item.value, &item.hexValue, &item.displayType}) {
        if (field != &item.name) line += ',';
        line += *field;
    }
    return line;
}

}  // namespace quelda
