#pragma once
// One tty descriptor held exclusively, raw, with the settings it had before
// restored when it is let go.
#include <termios.h>

#include <cstdint>
#include <string>

namespace quelda {

class CPortHandle {
public:
    CPortHandle() = default;
    ~CPortHandle();
    CPortHandle(const CPortHandle&) = delete;
    CPortHandle& operator=(const CPortHandle&) = delete;

    // Opens path non-blocking and takes it exclusively; false when the device
    // is missing, is no terminal, or is held by someone else.
    bool Open(const std::string& path);
    // The errno of the last failed Open (EBUSY when another holder has it).
    int OpenError() const { return m_nOpenError; }
    // Applies the line settings; false when the driver rejects them.
    bool Configure(uint32_t baud, uint8_t dataBits, uint8_t parity, uint8_t stopBits);
    // Raises DTR and RTS; devices without modem lines ignore it.
    void RaiseLines();
    // Lets pending output leave (at most 1 s), drops DTR, discards unread
    // input, restores the old settings and closes.
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

private:
    void Restore();
    void DrainOutput();
    static constexpr int kDrainLimitMs = 1000;
    static constexpr int kDrainStepMs = 5;
    void Release();
    bool Fail(int error);

    int m_fd = -1;
    int m_nOpenError = 0;
    bool m_bExclusive = false;  // TIOCEXCL set by this handle
    bool m_bSaved = false;
    struct termios m_oldTermios {};
    bool m_bOldCustom = false;
    uint32_t m_dwOldBaud = 0;
};

}  // namespace quelda
