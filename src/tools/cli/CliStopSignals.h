#pragma once
// SIGINT and SIGTERM as a descriptor the event loop can watch: blocked
// before any thread starts, so they reach the signalfd only.
namespace quelda {

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

}  // namespace quelda
