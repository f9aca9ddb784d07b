#include "config/TextLines.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quelda {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The C functions stop at the first NUL byte; so do we.
std::size_t CStringLength(const std::string& text) {
    std::size_t n = text.find('\0');
    return n == std::string::npos ? text.size() : n;
}

// Skips blanks and an optional sign; returns true for "-".
bool SkipBlanksAndSign(const std::string& text, std::size_t end, std::size_t& pos) {
    while (pos < end && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return negative;
}

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

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& content) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    content.clear();
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

namespace {

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

locale_t CLocale() {
    static const locale_t loc = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

}  // namespace

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

std::vector<std::string> SplitComma(const std::string& line, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            fields.emplace_back(line, start, std::string::npos);
            break;
        }
        fields.emplace_back(line, start, comma - start);
        start = comma + 1;
    }
    if (fields.size() < count) fields.resize(count);
    return fields;
}

long long LenientAtoll(const std::string& text) {
    std::size_t end = CStringLength(text);
    std::size_t pos = 0;
    bool negative = SkipBlanksAndSign(text, end, pos);
    // Accumulate towards the negative side, which holds one more value.
    long long value = 0;
    for (; pos < end && IsDigit(text[pos]); ++pos) {
        int digit = text[pos] - '0';
        if (value < (LLONG_MIN + digit) / 10) return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 - digit;
    }
    if (negative) return value;
    return value == LLONG_MIN ? LLONG_MAX : -value;
}

int LenientAtoi(const std::string& text) {
    long long value = LenientAtoll(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double LenientAtof(const std::string& text) {
    // Files always use "." whatever the user's locale says.
    std::string copy(text, 0, CStringLength(text));
    locale_t c = CLocale();
    if (c == static_cast<locale_t>(0)) return std::strtod(copy.c_str(), nullptr);
    return ::strtod_l(copy.c_str(), nullptr, c);
}

uint32_t ScanHex32(const std::string& text, bool* ok) {
    std::size_t end = CStringLength(text);
    std::size_t pos = 0;
    bool negative = SkipBlanksAndSign(text, end, pos);
    bool digits = false;
    if (pos < end && text[pos] == '0') {
        digits = true;  // "0x" without hex digits still reads the 0
        ++pos;
        if (pos < end && (text[pos] == 'x' || text[pos] == 'X')) ++pos;
    }
    uint32_t value = 0;
    bool saturated = false;
    for (; pos < end && HexValue(text[pos]) >= 0; ++pos) {
        digits = true;
        if (value > (UINT32_MAX >> 4)) saturated = true;
        value = (value << 4) | static_cast<uint32_t>(HexValue(text[pos]));
    }
    if (saturated) value = UINT32_MAX;
    if (ok) *ok = digits;
    if (!digits) return 0;
    return negative ? static_cast<uint32_t>(0u - value) : value;
}

bool WriteFileAtomic(const std::string& path, const std::string& content) {
    std::string target = ResolveLink(path);
    std::string tempPath;
    int fd = CreateTempIn(DirectoryOf(target), tempPath);
    if (fd < 0) return false;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = WriteAll(fd, content.data(), content.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(tempPath.c_str(), target.c_str()) == 0;
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

std::string NextNumberedFileName(const std::string& base, const std::string& ext) {
    auto name = [&](int n) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", n);
        return base + digits + "." + ext;
    };
    for (int n = 0; n < 100; ++n) {
        std::string candidate = name(n);
        if (!FileExists(candidate)) return candidate;
    }
    return name(0);
}

std::string TodayYYMMDD() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%y%m%d", &local);
    return text;
}

}  // namespace quelda
