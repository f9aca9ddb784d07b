// CMDDEF.TXT: any bytes load, and every definition gives five labels.
#include <cstdint>

#include "FuzzFiles.h"
#include "config/CommandRecords.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quelda::fuzz::WriteScratch("CMDDEF.TXT", std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<quelda::CommandDef> defs = quelda::LoadCommandDefs(quelda::fuzz::ScratchDir());
    for (const quelda::CommandDef& def : defs) {
        Check(quelda::LabelsForCommand(defs, def.name).size() == 5, "five labels");
    }
    Check(quelda::LabelsForCommand(defs, "\x01none").size() == 5, "five labels for no command");
    return 0;
}
