#include "text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quelda {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// A rename over a symbolic link would replace the link; write its target.
std::string ResolveLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string result(real);
    std::free(real);
    return result;
}

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Creates a fresh temporary file in dir. Its name is short, so that a
// target whose name is near the length limit can still be replaced.
int CreateTempIn(const std::string& dir, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = dir + "/.quelda-" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter.fetch_add(1)) + ".tmp";
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

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

bool ReadFileBytes(const std::string& path, std::string& content) {
    return ReadBoundedFile(path, kMaxTextFileBytes, content) == ReadOutcome::Read;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    lines.clear();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t lf = content.find('\n', start);
        std::size_t end = lf == std::string::npos ? content.size() : lf;
        std::size_t cut = end;
        if (lf != std::string::npos && cut > start && content[cut - 1] == '\r') --cut;
        lines.emplace_back(content, start, cut - start);
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& content, std::string* reason) {
    // errno is taken at once: the clean-up below may change it
    auto fail = [reason](const std::string& what) {
        if (reason) *reason = what + ": " + std::strerror(errno);
        return false;
    };
    std::string target = ResolveLink(path);
    std::string tempPath;
    int fd = CreateTempIn(DirectoryOf(target), tempPath);
    if (fd < 0) return fail("cannot create a file in " + DirectoryOf(target));
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = WriteAll(fd, content.data(), content.size()) && ::fsync(fd) == 0;
    if (!ok) fail("cannot write " + tempPath);
    if (::close(fd) != 0 && ok) ok = fail("cannot write " + tempPath);
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = fail("cannot replace " + target);
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncDirectory(DirectoryOf(target));
    return true;
}

bool AppendToFile(const std::string& path, const void* data, std::size_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, static_cast<const char*>(data), size);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace quelda
