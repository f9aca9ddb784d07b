#include "term/TermCommandLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "routing/MainCore.h"

namespace quelda {

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    // O_NONBLOCK keeps a FIFO from blocking the open; fstat then refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    uint8_t buffer[65536];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

CommandLineRoute SendTermCommandLine(CMainCore& core, const std::string& text) {
    if (text.empty()) return CommandLineRoute::kNothing;
    std::vector<uint8_t> bytes;
    if (text[0] != '$' && ReadRegularFile(text, bytes)) {
        core.WriteRaw(bytes);
        return CommandLineRoute::kFile;
    }
    core.SendLine(text, 0);
    return CommandLineRoute::kLine;
}

}  // namespace quelda
