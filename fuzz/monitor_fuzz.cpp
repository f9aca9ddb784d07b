// Monitor definitions in both forms with the status table their "STATUS"
// items name: the input is the definition, a NUL, then the table S.TXT.
#include <cstdint>

#include "FuzzFiles.h"
#include "monitor/MonitorDefinition.h"
#include "status/StatusEvaluation.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> pieces = quelda::fuzz::Pieces(data, size, 2);
    const std::string definition = quelda::fuzz::WriteScratch("DEF.TXT", pieces[0]);
    quelda::fuzz::WriteScratch("S.TXT", pieces[1]);
    for (quelda::DefinitionForm form :
         {quelda::DefinitionForm::TextField, quelda::DefinitionForm::TypedBlock}) {
        const std::vector<quelda::MonitorItem> items =
            quelda::LoadMonitorDefinition(definition, form, quelda::fuzz::ScratchDir());
        for (const quelda::MonitorItem& item : items) {
            Check(item.IsStatus() || item.statusList.empty(), "only status items have a table");
            for (uint32_t value : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
                for (const quelda::StatusCell& cell : quelda::EvaluateStatusCells(item.statusList, value))
                    (void)cell;
            }
            quelda::StatusItemValue(item.value);
        }
    }
    for (const std::string& text : {pieces[0], pieces[1]}) quelda::ParseBitRange(text);
    return 0;
}
