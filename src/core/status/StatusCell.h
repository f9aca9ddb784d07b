#pragma once
// One drawn status cell: the label beside a coloured cell with its text.
#include <string>

namespace quelda {

struct StatusCell {
    std::string label;
    std::string text;
    int r = 0;
    int g = 0;
    int b = 0;
    int x = 0;  // cell column
    int y = 0;  // cell row
};

}  // namespace quelda
