// COMMAND.TXT, the command-line history: any bytes load as lines, and each
// line decodes to valid UTF-8 for the list.
#include <cstdint>

#include "FuzzFiles.h"
#include "term/DisplayText.h"

using quelda::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quelda::CDisplayDecoder decoder;
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    Check(quelda::ReadLines(quelda::fuzz::WriteScratch("COMMAND.TXT", content), lines), "file loads");
    std::size_t bytes = 0;
    for (const std::string& line : lines) {
        Check(line.find('\n') == std::string::npos, "a line holds no line end");
        Check(quelda::IsValidUtf8(decoder.ToUtf8(line)), "decoded line is UTF-8");
        bytes += line.size();
    }
    Check(bytes <= content.size(), "lines hold no more than the file");
    return 0;
}
