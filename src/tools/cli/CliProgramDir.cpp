#include "CliProgramDir.h"

#include <unistd.h>

#include <cstdlib>

namespace quelda {

namespace {

std::string ExecutableDir() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    const std::string exe(path, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

std::string ResolveProgramDir(const std::string& dirOption) {
    if (!dirOption.empty()) return WithSlash(dirOption);
    const char* env = std::getenv("QUELDA_DIR");
    if (env && *env) return WithSlash(env);
    return ExecutableDir();
}

}  // namespace quelda
