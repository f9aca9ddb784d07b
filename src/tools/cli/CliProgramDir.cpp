#include "CliProgramDir.h"

#include <cstdlib>

#include "config/ProgramLocations.h"

namespace quelda {

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

std::string ResolveProgramDir(const std::string& dirOption) {
    if (!dirOption.empty()) return WithSlash(dirOption);
    const char* env = std::getenv("QUELDA_DIR");
    if (env && *env) return WithSlash(env);
    return DefaultProgramDirectory(ExecutableDirectory());
}

}  // namespace quelda
