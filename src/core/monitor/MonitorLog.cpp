#include "monitor/MonitorLog.h"

#include "text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quelda {

namespace {

std::string ErrnoText(int error) {
    char buffer[256];
    // the GNU form returns the text, which may or may not be in buffer
    const char* text = ::strerror_r(error, buffer, sizeof buffer);
    return text ? text : "error " + std::to_string(error);
}

// 0 when every byte went out, else the errno of the failure.
int WriteWhole(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

LogWriteResult AppendLogRecord(const std::string& path, const std::string& header,
                               const void* record, std::size_t size) {
    LogWriteResult result;
    const int fd = OpenOutputFile(path, true);
    if (fd < 0) {
        result.reason = ErrnoText(errno);
        return result;
    }
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0) {
        // header and record in one write, so a reader never sees a header
        // without its first record
        std::string bytes;
        if (st.st_size == 0) bytes = header;
        bytes.append(static_cast<const char*>(record), size);
        error = WriteWhole(fd, bytes.data(), bytes.size());
        if (error != 0 && ::ftruncate(fd, st.st_size) != 0) {
            // the partial record stays; the failure is reported all the same
        }
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        result.reason = ErrnoText(error);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace quelda
