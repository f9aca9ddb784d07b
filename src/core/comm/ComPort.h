#pragma once
// The one serial channel: a POSIX tty opened exclusively, raw, with a receive
// thread that moves arriving bytes into a 1 MiB input queue and notifies the
// owner once per burst.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace quelda {

// Why an Open failed; the main core shows "COM port open error" only for
// kDeviceOpenFailed, as the others are silent.
enum class OpenResult { kOk, kDeviceOpenFailed, kSettingsRejected, kThreadFailed };

class CComPort {
public:
    // Called on the receive thread when bytes or line errors arrived and the
    // previous notification has been consumed: the reader saw the queue empty
    // (Read drained it, or GetStatus returned 0). Bytes a partial Read leaves
    // behind get a notification of their own. The callback must not block
    // for long nor call Close.
    using Notify = std::function<void()>;

    CComPort();
    ~CComPort();
    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // Line settings, filled by the caller before every Open.
    std::string m_strPort = "COM1";
    uint32_t m_dwBaudRate = 19200;
    uint8_t m_byDataBits = 8;
    uint8_t m_byParity = 0;    // 0 none, 1 odd, 2 even
    uint8_t m_byStopBits = 0;  // 0 one, 1 one and a half, 2 two

    // An open channel is closed first, so new settings always apply.
    OpenResult Open(Notify notify);
    // Why the last Open failed, in words a user can act on; empty after a
    // successful one.
    const std::string& OpenFailureReason() const { return m_strOpenFailure; }
    bool Close();  // false when it was not open
    bool IsConnected() const;
    // The open port has hung up (adapter pulled, far end gone) and has not
    // come back; its notification carries CE_IOE.
    bool HungUp() const;
    std::size_t Read(uint8_t* buffer, std::size_t count);
    // Hands all bytes to the driver before it returns. When the line takes
    // nothing for 1000 ms (or fails), the unsent rest is discarded and the
    // result is false: nothing of a failed write goes out later.
    bool Write(const uint8_t* data, std::size_t count);
    // Returns the queued byte count; errors receives the line-error flags
    // (Windows bit values) gathered since the last call, then cleared.
    std::size_t GetStatus(uint32_t& errors);

    // The device path a port name maps to ("/..." as is, "COMn" ->
    // /dev/ttyS(n-1), other names under /dev).
    static std::string DevicePath(const std::string& portName);

    // Test hook: line-error flags merged into the next GetStatus; on an open
    // channel they come with a notification, as a driver's report would.
    void InjectErrors(uint32_t flags);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_strOpenFailure;
};

// The reason text for an errno of a failed open of path.
std::string OpenErrorText(int error, const std::string& path);
// The fix for a port the user may not open: join group, the group that owns
// the device, and log in again.
std::string PermissionHint(const std::string& path, const std::string& group);

// Conversion rules from the five line-setting strings.
uint32_t BaudFromText(const std::string& text);
uint8_t DataBitsFromText(const std::string& text);
uint8_t ParityFromText(const std::string& text);    // "EVEN" 2, "ODD" 1, else 0
uint8_t StopBitsFromText(const std::string& text);  // 2.0 -> 2, 1.5 -> 1, else 0

}  // namespace quelda
