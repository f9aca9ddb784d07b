#include "text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
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

// ".quelda-PID-N.tmp": the PID of the process that made it, 0 when the name
// is not one of ours.
pid_t TempOwner(const char* name) {
    unsigned long pid = 0, n = 0;
    char tail[8] = {0};
    if (std::sscanf(name, ".quelda-%lu-%lu.%7s", &pid, &n, tail) != 3) return 0;
    if (std::string(tail) != "tmp" || pid == 0 || pid > 0x7fffffffUL) return 0;
    return static_cast<pid_t>(pid);
}

// A save killed half-way leaves its temporary file; its process is gone.
void RemoveStaleTemps(const std::string& dir) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (const dirent* entry = ::readdir(d)) {
        const pid_t owner = TempOwner(entry->d_name);
        if (owner == 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(d), entry->d_name, 0);
    }
    ::closedir(d);
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int OpenRegularFile(const std::string& path, unsigned long long* size) {
    // O_NONBLOCK: opening a FIFO without a writer must not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    if (size) *size = static_cast<unsigned long long>(st.st_size);
    return fd;
}

int OpenOutputFile(const std::string& path, bool append) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK |
                      (append ? O_APPEND : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return -1;
    }
    // A regular file never blocks; O_NONBLOCK only matters elsewhere.
    if (S_ISREG(st.st_mode)) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

namespace {

void StandardErrorNotice(const std::string& path, std::size_t bound) {
    std::fprintf(stderr, "%s: only the first %zu bytes of %s were read\n",
                 program_invocation_short_name, bound, path.c_str());
}

std::atomic<CutFileNotice> g_cutNotice{&StandardErrorNotice};

}  // namespace

void SetCutFileNotice(CutFileNotice notice) {
    g_cutNotice.store(notice ? notice : &StandardErrorNotice);
}

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& content,
                            OverBound over) {
    content.clear();
    unsigned long long size = 0;
    const int fd = OpenRegularFile(path, &size);
    if (fd < 0) return errno == EINVAL ? ReadOutcome::Refused : ReadOutcome::Missing;
    if (size > maxBytes && over == OverBound::Refuse) {
        ::close(fd);
        return ReadOutcome::Refused;
    }
    // The file may grow while it is read: the bound holds whatever the size said.
    content.reserve(static_cast<std::size_t>(std::min<unsigned long long>(size, maxBytes)));
    char buffer[65536];
    ReadOutcome outcome = ReadOutcome::Read;
    for (;;) {
        const std::size_t room = std::min(sizeof buffer, maxBytes + 1 - content.size());
        const ssize_t n = ::read(fd, buffer, room);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) outcome = ReadOutcome::Missing;
        if (n <= 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > maxBytes) {
            outcome = over == OverBound::Cut ? ReadOutcome::Cut : ReadOutcome::Refused;
            content.resize(maxBytes);
            break;
        }
    }
    ::close(fd);
    if (outcome != ReadOutcome::Read && outcome != ReadOutcome::Cut) content.clear();
    return outcome;
}

bool ReadFileBytes(const std::string& path, std::string& content) {
    const ReadOutcome outcome = ReadBoundedFile(path, kMaxTextFileBytes, content, OverBound::Cut);
    if (outcome == ReadOutcome::Cut) g_cutNotice.load()(path, kMaxTextFileBytes);
    return outcome == ReadOutcome::Read || outcome == ReadOutcome::Cut;
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
    RemoveStaleTemps(DirectoryOf(target));
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
    int fd = OpenOutputFile(path, true);
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
