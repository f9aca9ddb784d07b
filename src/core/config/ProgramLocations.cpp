#include "config/ProgramLocations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace quelda {

namespace {

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// "/usr/bin/" -> "/usr/"; the folder above the last component.
std::string ParentOf(const std::string& dir) {
    std::string trimmed = dir;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? std::string("./") : trimmed.substr(0, slash + 1);
}

void MakeDirectories(const std::string& dir) {
    for (std::size_t i = 1; i <= dir.size(); ++i) {
        if (i == dir.size() || dir[i] == '/') ::mkdir(dir.substr(0, i).c_str(), 0755);
    }
}

}  // namespace

std::string ExecutableDirectory() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    const std::string exe(path, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

bool IsInstalledLayout(const std::string& exeDir) {
    const std::string dir = WithSlash(exeDir);
    return !IsDirectory(dir + "help") && IsDirectory(ParentOf(dir) + "share/quelda");
}

std::string ResourceDirectory(const std::string& exeDir) {
    const std::string dir = WithSlash(exeDir);
    return IsInstalledLayout(dir) ? ParentOf(dir) + "share/quelda/" : dir;
}

std::string UserDataDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return WithSlash(xdg) + "Quelda/";
    const char* home = std::getenv("HOME");
    return WithSlash(home && *home ? home : "/tmp") + ".local/share/Quelda/";
}

std::string DefaultProgramDirectory(const std::string& exeDir) {
    if (!IsInstalledLayout(exeDir)) return WithSlash(exeDir);
    const std::string dir = UserDataDirectory();
    MakeDirectories(dir);
    return dir;
}

}  // namespace quelda
