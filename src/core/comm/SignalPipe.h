#pragma once
// SIGTERM and SIGINT turned into a readable descriptor: the handler only
// writes one byte to a pipe, the poll loop does the rest.
namespace quelda {

class CSignalPipe {
public:
    CSignalPipe() = default;
    ~CSignalPipe();
    CSignalPipe(const CSignalPipe&) = delete;
    CSignalPipe& operator=(const CSignalPipe&) = delete;

    // Installs the handlers (one pipe per process); false on failure.
    bool Install();
    int Fd() const { return m_fds[0]; }
    // Whether a signal has arrived (reads what the handler wrote).
    bool Raised();

private:
    int m_fds[2] = {-1, -1};
};

}  // namespace quelda
