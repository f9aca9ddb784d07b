#include "comm/PortHandle.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "comm/Termios2.h"
#include "comm/TermiosConfig.h"

namespace quelda {

CPortHandle::~CPortHandle() { Close(); }

bool CPortHandle::Open(const std::string& path) {
    Close();
    m_nOpenError = 0;
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) return Fail(errno);
    // flock first: TIOCEXCL does not stop a second open by root, the lock
    // does; TIOCEXCL keeps out programs that do not take the lock.
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) return Fail(errno == EWOULDBLOCK ? EBUSY : errno);
    // Every program of ours holds the lock while it has the port, so with the
    // lock free a set TIOCEXCL is the mark of one that was killed (another
    // process, such as the device's own holder, kept the tty open): take the
    // port over. Root could otherwise open it past that mark too.
    int staleMark = 0;
    if (ioctl(m_fd, TIOCGEXCL, &staleMark) == 0 && staleMark != 0) ioctl(m_fd, TIOCNXCL);
    if (tcgetattr(m_fd, &m_oldTermios) != 0) return Fail(errno);
    if (ioctl(m_fd, TIOCEXCL) != 0) return Fail(errno);
    m_bExclusive = true;
    uint32_t inBaud = 0;
    m_bSaved = true;
    m_bOldCustom = false;
    if (GetBaud(m_fd, inBaud, m_dwOldBaud, m_bOldCustom) != 0) m_bOldCustom = false;
    return true;
}

bool CPortHandle::Fail(int error) {
    m_nOpenError = error;
    if (m_fd >= 0) Release();
    return false;
}

bool CPortHandle::Configure(uint32_t baud, uint8_t dataBits, uint8_t parity, uint8_t stopBits) {
    const auto request = MakeTermios(m_oldTermios, baud, dataBits, parity, stopBits);
    if (!request || tcsetattr(m_fd, TCSANOW, &*request) != 0) return false;
    if (!StandardSpeed(baud)) return SetCustomBaud(m_fd, baud) == 0;
    return true;
}

void CPortHandle::RaiseLines() {
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(m_fd, TIOCMBIS, &lines);
}

void CPortHandle::Close() {
    if (m_fd < 0) return;
    // Bytes Write handed over count as sent: let them leave before the line
    // goes. Flushing output would discard them, and on a pty also what its
    // far end has not read yet, so only stale input is thrown away.
    DrainOutput();
    const int dtr = TIOCM_DTR;
    ioctl(m_fd, TIOCMBIC, &dtr);
    tcflush(m_fd, TCIFLUSH);
    Restore();
    Release();
}

void CPortHandle::DrainOutput() {
    // Bounded, so a stopped line cannot hold up Close.
    for (int waited = 0; waited < kDrainLimitMs; waited += kDrainStepMs) {
        int pending = 0;
        if (ioctl(m_fd, TIOCOUTQ, &pending) != 0 || pending <= 0) return;
        usleep(kDrainStepMs * 1000);
    }
    tcflush(m_fd, TCOFLUSH);
}

void CPortHandle::Restore() {
    if (!m_bSaved) return;
    tcsetattr(m_fd, TCSANOW, &m_oldTermios);
    if (m_bOldCustom) SetCustomBaud(m_fd, m_dwOldBaud);
    m_bSaved = false;
}

void CPortHandle::Release() {
    // The exclusive mode belongs to the tty, not to this descriptor: left
    // set, it would refuse the next open while any other descriptor of the
    // tty stays open.
    if (m_bExclusive) ioctl(m_fd, TIOCNXCL);
    close(m_fd);  // drops the lock too
    m_fd = -1;
    m_bExclusive = false;
    m_bSaved = false;
}

}  // namespace quelda
