#pragma once
// The device's end of the line: the master side of a pseudo-terminal whose
// slave the program opens, or a real serial port.
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "comm/PortHandle.h"
#include "device/LineParams.h"

namespace quelda {

class CDeviceLink {
public:
    CDeviceLink() = default;
    ~CDeviceLink();
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // A new pseudo-terminal in raw mode. The device keeps a slave descriptor
    // of its own, so the program side may close and reopen the slave while
    // the master never sees a hang-up. With a link path that path becomes a
    // symbolic link to the slave (an existing link there is replaced, any
    // other file is left alone and fails the open).
    bool OpenPty(const std::string& linkPath, std::string& error);
    // A real port ("/dev/..." or a name as the program maps it), raw, at
    // the given settings; parts left "any" take 19200, 8, none, one.
    bool OpenPort(const std::string& name, const LineParams& params, std::string& error);
    // New settings for a real port (after an accepted setting request).
    bool Reconfigure(const LineParams& params);
    // Removes the link and closes everything.
    void Close();

    int Fd() const { return m_bPty ? m_nMaster : m_port.Fd(); }
    bool IsPty() const { return m_bPty; }
    const std::string& SlavePath() const { return m_strSlave; }

    // What the program side has set on the pseudo-terminal; false for a
    // real port or when it cannot be read.
    bool View(LineView& seen) const;

    // Non-blocking: bytes moved, 0 when nothing can move now, -1 on an
    // error that ends the link.
    ssize_t Read(uint8_t* buffer, std::size_t count);
    ssize_t Write(const char* data, std::size_t count);

private:
    bool MakeLink(const std::string& linkPath, std::string& error);

    bool m_bPty = false;
    int m_nMaster = -1;
    int m_nSlaveHold = -1;
    std::string m_strSlave;
    std::string m_strLink;
    CPortHandle m_port;
};

// Parts left "any" filled with 19200, 8, none, one.
LineParams CompleteLine(const LineParams& params);

}  // namespace quelda
