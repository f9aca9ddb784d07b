// Runs a file-format fuzz target without libFuzzer: every file named on the
// command line, then a fixed-seed series of variants of them (lines dropped,
// repeated and swapped, fields cut and joined, numbers at their edges, bytes
// of every kind). Usage: <target> [variants=20000] file...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzRandom.h"
#include "text/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Random = FuzzRandom;

const char* const kPieces[] = {
    ",",   ",,",  "\r\n",  "\n",   "\r",         "\0",          "//",          "[",
    "]",   "=",   "\"",    " ",    "\t",         "-",           "0",           "-1",
    "255", "256", "65535", "65536", "2147483647", "-2147483648", "4294967296", "0x7FFFFFFF",
    "%d",  "%s",  "%n",    "%*d",  "%999999d",   "%.99f",       "%X",          "1e308",
    "nan", "0-31", "31-0", "5-99", "others",     "STATUS",      "HEX",         "\xff\xfe",
    "\x82\xa0", "\xe3\x81", "/",   "../",        "/dev/zero",   "COM1",        "$QVR",
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    quelda::ForEachLine(text, [&](const std::string&, const std::string& whole) {
        lines.push_back(whole);
    });
    return lines;
}

void Mutate(Random& rnd, std::string& line) {
    const std::size_t at = rnd.Below(line.size() + 1);
    switch (rnd.Below(5)) {
        case 0:
            if (!line.empty()) line.erase(at < line.size() ? at : 0, 1 + rnd.Below(8));
            break;
        case 1:
            line.insert(at, 1, static_cast<char>(rnd.Next()));
            break;
        case 2:
            line.resize(at);
            break;
        default: {
            const char* piece = kPieces[rnd.Below(sizeof kPieces / sizeof kPieces[0])];
            line.insert(at, piece[0] ? std::string(piece) : std::string(1, '\0'));
            break;
        }
    }
}

std::string Variant(Random& rnd, const std::vector<std::vector<std::string>>& seeds) {
    const std::vector<std::string>& base = seeds[rnd.Below(seeds.size())];
    std::vector<std::string> lines;
    for (std::size_t n = base.empty() ? 0 : 1 + rnd.Below(base.size() * 2); n > 0; --n) {
        std::string line = base[rnd.Below(base.size())];
        for (std::size_t k = rnd.Below(4); k > 0; --k) Mutate(rnd, line);
        lines.push_back(line);
    }
    if (rnd.Below(20) == 0) lines.insert(lines.end(), 2000, lines.empty() ? "\n" : lines[0]);
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

int Run(const std::string& input) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    const long variants = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    std::vector<std::vector<std::string>> seeds;
    for (int i = 2; i < argc; ++i) {
        std::string content;
        if (!quelda::ReadFileBytes(argv[i], content)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        Run(content);
        seeds.push_back(Lines(content));
    }
    if (seeds.empty()) seeds.push_back({});
    Random rnd(0x5155454C4441ull);
    for (long i = 0; i < variants; ++i) Run(Variant(rnd, seeds));
    std::printf("%d files and %ld variants passed\n", argc > 2 ? argc - 2 : 0, variants);
    return 0;
}
