#pragma once
// One record of a monitor log: the file is opened, appended to and closed
// per record, and never truncated.
#include <cstddef>
#include <string>

namespace quelda {

struct LogWriteResult {
    bool ok = false;
    std::string reason;  // the system's text for the failure; empty when ok
};

// Appends record to the file at path, creating it; header goes first when
// the file is empty. A record that cannot be written whole is taken back
// (the file is cut to its old size), so the log holds only whole records.
LogWriteResult AppendLogRecord(const std::string& path, const std::string& header,
                               const void* record, std::size_t size);

}  // namespace quelda
