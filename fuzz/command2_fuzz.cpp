// COMMAND2.TXT: any bytes load at most 29 records, each builds its command
// text, and saved records load back as many.
#include <cstdint>

#include "FuzzFiles.h"
#include "config/CommandRecords.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quelda::fuzz::WriteScratch("COMMAND2.TXT", std::string(reinterpret_cast<const char*>(data), size));
    const std::string& dir = quelda::fuzz::ScratchDir();
    const std::vector<quelda::CommandRecord> records = quelda::LoadCommandRecords(dir);
    Check(records.size() <= static_cast<std::size_t>(quelda::kMaxCommandRecords), "record bound");
    for (const quelda::CommandRecord& record : records) quelda::BuildButtonCommandText(record);
    for (int i = -1; i <= quelda::kMaxCommandRecords; ++i) {
        Check(quelda::RecordCommand(records, i).empty() || (i >= 0 && i < int(records.size())),
              "only a record has a command");
    }
    Check(quelda::SaveCommandRecords(dir, records), "records saved");
    Check(quelda::LoadCommandRecords(dir).size() == records.size(), "saved records load back");
    return 0;
}
