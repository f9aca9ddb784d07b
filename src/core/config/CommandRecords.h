#pragma once
#include <string>
#include <vector>

namespace quelda {

constexpr int kMaxCommandRecords = 29;

// One line of COMMAND2.TXT.
struct CommandRecord {
    std::string title;
    std::string command;
    std::string params[5];
    int ackCheck = 0;
    int addChecksum = 0;
};

// One line of CMDDEF.TXT: a command name and its five parameter labels.
struct CommandDef {
    std::string name;
    std::string labels[5];
};

// At most 29 records from appDir + "COMMAND2.TXT"; empty when missing.
std::vector<CommandRecord> LoadCommandRecords(const std::string& appDir);
bool SaveCommandRecords(const std::string& appDir, const std::vector<CommandRecord>& records);
std::vector<CommandDef> LoadCommandDefs(const std::string& appDir);

// The text SendButtonCommand sends after the header: command, parameters up
// to the first empty one, "*" when addChecksum is 1.
std::string BuildButtonCommandText(const CommandRecord& record);

// The command of record index; empty when there is no such record.
std::string RecordCommand(const std::vector<CommandRecord>& records, int index);

// Labels of the first definition named exactly `command`, or five empties.
std::vector<std::string> LabelsForCommand(const std::vector<CommandDef>& defs,
                                          const std::string& command);

}  // namespace quelda
