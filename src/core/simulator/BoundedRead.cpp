#include "simulator/BoundedRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quelda {

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& content) {
    content.clear();
    // O_NONBLOCK: opening a FIFO without a writer must not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return ReadOutcome::Missing;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return ReadOutcome::Refused;
    }
    // The file may grow while it is read: one byte beyond the bound refuses it.
    char buffer[65536];
    ReadOutcome outcome = ReadOutcome::Read;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) outcome = ReadOutcome::Missing;
        if (n <= 0) break;
        if (content.size() + static_cast<std::size_t>(n) > maxBytes) {
            outcome = ReadOutcome::Refused;
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (outcome != ReadOutcome::Read) content.clear();
    return outcome;
}

}  // namespace quelda
