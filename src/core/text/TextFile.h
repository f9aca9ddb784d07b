#pragma once
// Whole files of the program directory: read, cut into lines, rewritten
// safely, appended to.
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

// Every file comes from outside: only a regular file is read, and only up
// to a size, so a directory, a device such as /dev/zero or a FIFO can
// neither hang nor exhaust memory.
enum class ReadOutcome {
    Read,     // content holds the whole file
    Missing,  // no such file (or it cannot be opened)
    Refused,  // not a regular file, or larger than the bound
};

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& content);

// Definition and configuration files are small; anything larger is refused.
constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// The whole file as bytes (at most kMaxTextFileBytes); false when it cannot
// be opened or read, is not a regular file, or is larger.
bool ReadFileBytes(const std::string& path, std::string& content);

// All lines of a file without their line ends (CR LF or LF; a last line
// without an end counts). false when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Writes the whole content to a temporary file beside path and renames it
// over path, so a failed write leaves the old file whole. reason, when
// given, gets what failed and the system's word for why.
bool WriteFileAtomic(const std::string& path, const std::string& content,
                     std::string* reason = nullptr);

// Appends bytes to a file, creating it; errors ignored (returns false).
bool AppendToFile(const std::string& path, const void* data, std::size_t size);

bool FileExists(const std::string& path);

// Cuts content into lines at LF (a CR before it dropped); a last line
// without an end counts, an empty content has no lines.
template <typename Fn>
void ForEachLine(const std::string& content, Fn&& fn) {
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t lf = content.find('\n', start);
        const std::size_t next = lf == std::string::npos ? content.size() : lf + 1;
        std::size_t cut = lf == std::string::npos ? content.size() : lf;
        if (lf != std::string::npos && cut > start && content[cut - 1] == '\r') --cut;
        // line without its end, then the line with its end as it stood
        fn(content.substr(start, cut - start), content.substr(start, next - start));
        start = next;
    }
}

}  // namespace quelda
