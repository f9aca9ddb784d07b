#include "device/DeviceLink.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "comm/ComPort.h"
#include "comm/Termios2.h"

namespace quelda {
namespace {

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

bool Transient(int err) { return err == EAGAIN || err == EWOULDBLOCK || err == EINTR; }

}  // namespace

LineParams CompleteLine(const LineParams& params) {
    LineParams full = params;
    if (full.baud == 0) full.baud = 19200;
    if (full.dataBits == LineParams::kAny) full.dataBits = 8;
    if (full.parity == LineParams::kAny) full.parity = 0;
    if (full.stopBits == LineParams::kAny) full.stopBits = 0;
    return full;
}

CDeviceLink::~CDeviceLink() { Close(); }

bool CDeviceLink::OpenPty(const std::string& linkPath, std::string& error) {
    Close();
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0) {
        error = Reason("pseudo-terminal");
        Close();
        return false;
    }
    char name[128];
    if (ptsname_r(m_nMaster, name, sizeof name) != 0) {
        error = Reason("pseudo-terminal name");
        Close();
        return false;
    }
    m_strSlave = name;
    m_bPty = true;
    // on a pseudo-terminal the master's settings are the slave's
    struct termios raw;
    if (tcgetattr(m_nMaster, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_nMaster, TCSANOW, &raw);
    }
    m_nSlaveHold = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nSlaveHold < 0) {
        error = Reason(m_strSlave);
        Close();
        return false;
    }
    if (!linkPath.empty() && !MakeLink(linkPath, error)) {
        Close();
        return false;
    }
    return true;
}

bool CDeviceLink::MakeLink(const std::string& linkPath, std::string& error) {
    struct stat st;
    if (lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = linkPath + ": exists and is no symbolic link";
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(m_strSlave.c_str(), linkPath.c_str()) != 0) {
        error = Reason(linkPath);
        return false;
    }
    m_strLink = linkPath;
    return true;
}

bool CDeviceLink::OpenPort(const std::string& name, const LineParams& params, std::string& error) {
    Close();
    const std::string path = CComPort::DevicePath(name);
    if (!m_port.Open(path)) {
        error = Reason(path + " (missing, no terminal, or held by another program)");
        return false;
    }
    if (!Reconfigure(params)) {
        error = path + ": the port refuses the line settings";
        m_port.Close();
        return false;
    }
    return true;
}

bool CDeviceLink::Reconfigure(const LineParams& params) {
    if (m_bPty || !m_port.IsOpen()) return m_bPty;
    const LineParams full = CompleteLine(params);
    return m_port.Configure(full.baud, static_cast<uint8_t>(full.dataBits),
                            static_cast<uint8_t>(full.parity), static_cast<uint8_t>(full.stopBits));
}

void CDeviceLink::Close() {
    if (!m_strLink.empty()) {
        std::vector<char> target(m_strSlave.size() + 2, '\0');
        const ssize_t n = readlink(m_strLink.c_str(), target.data(), target.size());
        if (n >= 0 && std::string(target.data(), static_cast<std::size_t>(n)) == m_strSlave) {
            unlink(m_strLink.c_str());
        }
        m_strLink.clear();
    }
    if (m_nSlaveHold >= 0) close(m_nSlaveHold);
    if (m_nMaster >= 0) close(m_nMaster);
    m_nSlaveHold = -1;
    m_nMaster = -1;
    m_bPty = false;
    m_strSlave.clear();
    m_port.Close();
}

bool CDeviceLink::View(LineView& seen) const {
    struct termios t;
    if (!m_bPty || tcgetattr(m_nMaster, &t) != 0) return false;
    uint32_t inBaud = 0;
    uint32_t outBaud = 0;
    bool custom = false;
    if (GetBaud(m_nMaster, inBaud, outBaud, custom) != 0) return false;
    seen.baud = outBaud;
    seen.odd = (t.c_cflag & PARODD) != 0;
    seen.twoStop = (t.c_cflag & CSTOPB) != 0;
    return true;
}

ssize_t CDeviceLink::Read(uint8_t* buffer, std::size_t count) {
    const ssize_t n = read(Fd(), buffer, count);
    if (n > 0) return n;
    if (n < 0 && Transient(errno)) return 0;
    // a pseudo-terminal reports EIO while no slave is open; ours always is
    return -1;
}

ssize_t CDeviceLink::Write(const char* data, std::size_t count) {
    const ssize_t n = write(Fd(), data, count);
    if (n >= 0) return n;
    return Transient(errno) ? 0 : -1;
}

}  // namespace quelda
