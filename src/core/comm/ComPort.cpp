#include "comm/ComPort.h"

#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <chrono>

#include "comm/InputQueue.h"
#include "comm/LineCounters.h"
#include "comm/PortHandle.h"
#include "comm/ReceiveThread.h"

namespace quelda {
namespace {

// A write that makes no progress for this long has failed.
constexpr int kWriteStallMs = 1000;

bool IsComName(const std::string& name) {
    if (name.size() < 4) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return false;
    }
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return name.size() <= 12;  // keeps the number in range
}

// The group that owns the device; serial ports on Debian belong to dialout.
std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return "dialout";
    const struct group* g = getgrgid(st.st_gid);
    return g && g->gr_name ? g->gr_name : std::to_string(st.st_gid);
}

}  // namespace

struct CComPort::Impl {
    CPortHandle port;
    CInputQueue queue;
    std::unique_ptr<CReceiveThread> thread;
    bool haveCounters = false;
    LineCounters counters;
    std::atomic<bool> connected{false};
    std::atomic<uint32_t> injected{0};
};

CComPort::CComPort() : m_impl(std::make_unique<Impl>()) {}

CComPort::~CComPort() { Close(); }

std::string CComPort::DevicePath(const std::string& portName) {
    if (portName.find('/') != std::string::npos) return portName;
    if (IsComName(portName)) {
        const unsigned long long n = std::stoull(portName.substr(3));
        if (n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
    }
    return "/dev/" + portName;
}

std::string OpenErrorText(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return path + ": no such port";
    case EACCES:
    case EPERM:
        // The usual first hurdle on Linux: serial devices belong to a group.
        return PermissionHint(path, DeviceGroup(path));
    case EBUSY:
        return path + ": busy, held by another program";
    case ENOTTY:
        return path + ": not a terminal";
    default:
        return path + ": " + std::strerror(error);
    }
}

std::string PermissionHint(const std::string& path, const std::string& group) {
    return path + ": permission denied. The port belongs to the group " + group +
           "; join it with \"sudo usermod -aG " + group + " $USER\" and log in again.";
}

OpenResult CComPort::Open(Notify notify) {
    Close();
    Impl& d = *m_impl;
    m_strOpenFailure.clear();
    const std::string path = DevicePath(m_strPort);
    if (!d.port.Open(path)) {
        m_strOpenFailure = OpenErrorText(d.port.OpenError(), path);
        return OpenResult::kDeviceOpenFailed;
    }
    if (!d.port.Configure(m_dwBaudRate, m_byDataBits, m_byParity, m_byStopBits)) {
        d.port.Close();
        m_strOpenFailure = path + ": the driver rejected the line settings";
        return OpenResult::kSettingsRejected;
    }
    d.queue.Clear();
    d.haveCounters = ReadLineCounters(d.port.Fd(), d.counters);
    CReceiveThread::Options options;
    options.decodeMarks = m_byParity != 0;
    options.flagsFromMarks = !d.haveCounters;
    d.thread = std::make_unique<CReceiveThread>(d.port.Fd(), d.queue, options, std::move(notify));
    if (!d.thread->Start()) {
        d.thread.reset();
        d.port.Close();
        m_strOpenFailure = path + ": the receive thread could not start";
        return OpenResult::kThreadFailed;
    }
    d.connected = true;
    d.port.RaiseLines();
    return OpenResult::kOk;
}

bool CComPort::Close() {
    Impl& d = *m_impl;
    if (!d.connected) return false;
    d.connected = false;
    d.thread->Stop();
    d.thread.reset();
    d.port.Close();
    d.queue.Clear();
    return true;
}

bool CComPort::IsConnected() const { return m_impl->connected; }

bool CComPort::HungUp() const {
    const Impl& d = *m_impl;
    return d.connected && d.thread && d.thread->HungUp();
}

std::size_t CComPort::Read(uint8_t* buffer, std::size_t count) {
    Impl& d = *m_impl;
    if (!d.connected) return 0;
    bool leftover = false;
    const std::size_t n = d.queue.Pop(buffer, count, leftover);
    // What stays behind gets a notification of its own.
    if (leftover) d.thread->Kick();
    return n;
}

bool CComPort::Write(const uint8_t* data, std::size_t count) {
    Impl& d = *m_impl;
    if (!d.connected) return false;
    const int fd = d.port.Fd();
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = write(fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
        struct pollfd p = {fd, POLLOUT, 0};
        const int ready = poll(&p, 1, kWriteStallMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || !(p.revents & POLLOUT)) break;
    }
    if (done == count) return true;
    // Nothing of a failed write may trickle out later.
    tcflush(fd, TCOFLUSH);
    return false;
}

std::size_t CComPort::GetStatus(uint32_t& errors) {
    Impl& d = *m_impl;
    errors = d.injected.exchange(0);
    if (!d.connected) return 0;
    uint32_t queueErrors = 0;
    const std::size_t n = d.queue.TakeStatus(queueErrors);
    errors |= queueErrors;
    LineCounters now;
    if (d.haveCounters && ReadLineCounters(d.port.Fd(), now)) {
        errors |= CounterFlags(d.counters, now);
        d.counters = now;
    }
    return n;
}

void CComPort::InjectErrors(uint32_t flags) {
    Impl& d = *m_impl;
    if (!d.connected) {
        d.injected |= flags;
        return;
    }
    // As if the driver had reported them: they come with a notification.
    d.queue.AddErrors(flags);
    d.thread->Kick();
}

}  // namespace quelda
