#include "bintext/ChunkWriter.h"

#include "text/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quelda {

ChunkWriter::~ChunkWriter() {
    if (m_fd >= 0) ::close(m_fd);
}

bool ChunkWriter::Open(const std::string& path) {
    m_fd = OpenOutputFile(path, false);
    return m_fd >= 0;
}

bool ChunkWriter::Write(const char* data, std::size_t n) {
    while (n > 0 && !m_failed) {
        const ssize_t written = ::write(m_fd, data, n);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            m_failed = true;
            break;
        }
        data += written;
        n -= static_cast<std::size_t>(written);
    }
    return !m_failed;
}

bool ChunkWriter::Close() {
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return closed && !m_failed;
}

}  // namespace quelda
