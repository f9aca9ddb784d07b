#include "term/TermCommandLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "routing/MainCore.h"
#include "text/TextFile.h"

namespace quelda {

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    bytes.assign(content.begin(), content.end());
    return true;
}

CommandLineRoute SendTermCommandLine(CMainCore& core, const std::string& text) {
    if (text.empty()) return CommandLineRoute::kNothing;
    std::vector<uint8_t> bytes;
    if (text[0] != '$' && ReadRegularFile(text, bytes)) {
        core.WriteRaw(bytes);
        return CommandLineRoute::kFile;
    }
    core.SendLine(text, 0);
    return CommandLineRoute::kLine;
}

}  // namespace quelda
