#include "values/DisplayType.h"

namespace quelda {

DisplayType ParseDisplayType(const std::string& name) {
    if (name == "UCHAR") return DisplayType::UChar;
    if (name == "UINT") return DisplayType::UInt;
    if (name == "INT4") return DisplayType::Int4;
    if (name == "UINT4") return DisplayType::UInt4;
    if (name == "FLOAT") return DisplayType::Float;
    if (name == "STATUS") return DisplayType::Status;
    return DisplayType::None;
}

}  // namespace quelda
