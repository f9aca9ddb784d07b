#include "CliScriptReader.h"

#include <unistd.h>

#include <cerrno>

namespace quelda {

void CScriptReader::ReadFrom(int fd) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        m_pending.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        m_bEnded = true;
    }
}

bool CScriptReader::HasLine() const {
    return m_pending.find('\n') != std::string::npos || (m_bEnded && !m_pending.empty());
}

std::string CScriptReader::TakeLine() {
    const std::size_t end = m_pending.find('\n');
    std::string line = m_pending.substr(0, end);
    m_pending.erase(0, end == std::string::npos ? std::string::npos : end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++m_nLine;
    return line;
}

}  // namespace quelda
