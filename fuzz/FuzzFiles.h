#pragma once
// What the file-format fuzz targets share: a scratch program directory the
// input is written into (the loaders read files, as the programs do), the
// input cut into the several files one case needs, and the abort that
// reports a broken invariant.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/TextFile.h"

namespace quelda::fuzz {

inline void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "invariant violated: %s\n", what);
    std::abort();
}

// A directory of its own per process, ending in "/", kept for the run.
inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        // memory-backed when there is one: the savers sync every file
        const char* base = std::getenv("TMPDIR");
        if (!base || !*base) base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/quelda-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) Check(false, "scratch directory");
        return pattern + "/";
    }();
    return dir;
}

inline std::string WriteScratch(const std::string& name, const std::string& bytes) {
    const std::string path = ScratchDir() + name;
    Check(WriteFileAtomic(path, bytes), "scratch file written");
    return path;
}

// The input cut at its first `count - 1` NUL bytes: one piece per file.
inline std::vector<std::string> Pieces(const uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> pieces(count);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t end = at;
        while (end < size && (i + 1 == count || data[end] != 0)) ++end;
        pieces[i].assign(reinterpret_cast<const char*>(data) + at, end - at);
        at = end < size ? end + 1 : end;
    }
    return pieces;
}

}  // namespace quelda::fuzz
