#pragma once
// Where a desktop benchmark draws: under Xvfb when xvfb-run is there (the
// program re-runs itself inside it), else on the offscreen platform. Call
// first thing in main; it returns only in the process that measures.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

inline bool OnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// Prints "<prefix>_under_xvfb: 1|0" and the platform in a comment line.
inline void ChooseDisplay(int argc, char** argv, const char* prefix) {
    const char* marker = "QUELDA_BENCH_IN_XVFB";
    const bool inside = std::getenv(marker) != nullptr;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!inside && (!platform || !*platform) && OnPath("xvfb-run")) {
        setenv(marker, "1", 1);
        std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                                   const_cast<char*>("-s"),
                                   const_cast<char*>("-screen 0 1280x1024x24")};
        for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
        args.push_back(nullptr);
        std::fflush(stdout);
        execvp("xvfb-run", args.data());
        std::perror("xvfb-run");  // fall through to offscreen
    }
    if (!inside && (!platform || !*platform)) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const char* now = std::getenv("QT_QPA_PLATFORM");
    std::printf("# %s: drawn %s\n", prefix,
                inside ? "under Xvfb" : (now ? now : "on the default platform"));
    std::printf("%s_under_xvfb: %d\n", prefix, inside ? 1 : 0);
    std::fflush(stdout);
}

}  // namespace bench
