#pragma once
// One parameter of the EEPROM data file. Every field stays text, so that a
// line the editor cannot convert still survives a load and a save as it was.
#include <string>

namespace quelda {

struct EepromItem {
    std::string name;         // an empty name or one beginning "//" drops the line
    std::string type;         // how the stored word reads as a number (see ItemWord.h)
    std::string lsb;          // scale: stored number = shown value x lsb
    std::string format;       // printf-style format of the shown value
    std::string unit;         // shown as it is
    std::string value;        // the shown value
    std::string hexValue;     // the stored word W, "%X"
    std::string displayType;  // the value formatter's display type
};

// The column headers a missing or empty data file starts with.
EepromItem DefaultHeaderItem();

// A data-file line's first eight comma fields, untrimmed; what follows them
// is ignored, so a field holding a comma shifts the rest of the line.
EepromItem ItemFromLine(const std::string& line);

// The eight fields joined by "," (no line end).
std::string LineOfItem(const EepromItem& item);

}  // namespace quelda
