#pragma once
// build/bin/quelda-device as a child; its first stdout line names the line.
#include <csignal>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace quelda::test {

class DeviceProcess {
public:
    // Starts the device and reads "PTY <path>" (or "PORT <name>" with
    // --port); false when it does not come in time.
    bool Start(const std::vector<std::string>& args, int timeoutMs = 2000) {
        if (!m_child.Start(std::string(QUELDA_BIN_DIR) + "/quelda-device", args)) return false;
        const std::string line = m_child.ReadLine(timeoutMs);
        if (line.rfind("PTY ", 0) != 0 && line.rfind("PORT ", 0) != 0) return false;
        m_strPath = line.substr(line.find(' ') + 1);
        return true;
    }

    const std::string& Path() const { return m_strPath; }

    // SIGTERM, then the exit code (-1 when it does not end within 3 s).
    int Terminate() {
        m_child.Signal(SIGTERM);
        return m_child.Wait(3000);
    }

private:
    ChildProcess m_child;
    std::string m_strPath;
};

}  // namespace quelda::test
