#pragma once
// SIGINT and SIGTERM as a descriptor the event loop can watch: blocked
// before any thread starts, so they reach the signalfd only.
#include <optional>

namespace quelda {

class CEventLoop;

class CStopSignals {
public:
    // Call before the channel's thread exists (threads inherit the mask).
    static void Block();

    CStopSignals();
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    int Fd() const { return m_fd; }
    // Reads what is pending; true when a stop signal came.
    bool Take();

private:
    int m_fd = -1;
};

// Runs the loop, watching stopFd as its input, until quit is set or the
// given seconds have passed (none: no limit).
void RunUntilStopped(CEventLoop& loop, int stopFd, std::optional<double> seconds, const bool& quit);

}  // namespace quelda
