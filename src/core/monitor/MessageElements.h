#pragma once
// A received message cut into elements at every "," and every "*":
// element 0 is "$" with the header, empty elements count, and the last one
// is all that follows the last separator (check digits and CR LF included).
#include <string>
#include <vector>

namespace quelda {

std::vector<std::string> SplitElements(const std::string& text);

}  // namespace quelda
