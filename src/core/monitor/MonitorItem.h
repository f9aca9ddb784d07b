#pragma once
// One line of a monitor definition (or of the converter's definition): the
// columns as read, bytes unchanged, with the item's run-time value text,
// its status table and its prepared value rule.
#include <string>
#include <vector>

#include "status/StatusList.h"
#include "values/ValueCodec.h"

namespace quelda {

enum class DefinitionForm {
    TextField,   // MONITOR1/2/4.TXT: ten columns, values from message text
    TypedBlock,  // MONITOR3.TXT and the converter: eleven columns, binary fields
};

struct MonitorItem {
    std::string position;  // element position (text field) or CSV column
    std::string name;
    std::string type;  // source type or binary type
    std::string scale;
    std::string format;
    std::string displayType;
    std::string unit;
    std::string x;
    std::string y;
    std::string statusFile;
    std::string offset;  // typed-block form only

    std::string value;  // the current value text; empty until decoded
    StatusList statusList;  // shared by the items naming one file
    ValueCodec codec;  // made from the columns by FromColumns

    // From the columns of a line (missing ones empty); the status list is
    // left to the loader.
    static MonitorItem FromColumns(const std::vector<std::string>& columns, DefinitionForm form);

    bool IsStatus() const { return displayType == "STATUS"; }
};

}  // namespace quelda
