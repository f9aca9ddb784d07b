#include "bintext/BinaryLogReader.h"

#include "text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quelda {

namespace {
constexpr std::size_t kReadBuffer = 1 << 20;
}

BinaryLogReader::~BinaryLogReader() {
    if (m_fd >= 0) ::close(m_fd);
}

bool BinaryLogReader::Open(const std::string& path) {
    // A device would never end and a FIFO could block: regular files only.
    unsigned long long size = 0;
    m_fd = OpenRegularFile(path, &size);
    if (m_fd < 0) return false;
    m_fileSize = size;
    m_buffer.resize(kReadBuffer);
    return true;
}

bool BinaryLogReader::Fill() {
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) m_failed = true;
        if (n <= 0) return false;
        m_end += static_cast<std::size_t>(n);
        return true;
    }
}

bool BinaryLogReader::Refill() {
    m_begin = m_end = 0;
    return Fill();
}

void BinaryLogReader::Gather(std::size_t n) {
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
    while (m_end < n && Fill()) {
    }
}

const uint8_t* BinaryLogReader::Take(std::size_t n, std::size_t& got) {
    n = std::min(n, kMaxTake);
    if (m_end - m_begin < n) Gather(n);
    const uint8_t* bytes = m_buffer.data() + m_begin;
    got = std::min(n, m_end - m_begin);
    m_begin += got;
    m_position += got;
    return bytes;
}

void BinaryLogReader::SkipHeaderLine() {
    for (;;) {
        if (m_begin == m_end && !Refill()) return;
        const uint8_t* start = m_buffer.data() + m_begin;
        const void* lf = std::memchr(start, '\n', m_end - m_begin);
        const std::size_t taken =
            lf ? static_cast<std::size_t>(static_cast<const uint8_t*>(lf) - start) + 1
               : m_end - m_begin;
        m_begin += taken;
        m_position += taken;
        if (lf) return;
    }
}

}  // namespace quelda
