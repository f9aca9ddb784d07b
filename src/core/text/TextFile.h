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
    Cut,      // larger than the bound: content holds its first maxBytes
};

enum class OverBound { Refuse, Cut };

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& content,
                            OverBound over = OverBound::Refuse);

// The one way a file is opened for reading: without blocking (a FIFO), and
// only when it is a regular file; -1 otherwise. size gets its size.
int OpenRegularFile(const std::string& path, unsigned long long* size = nullptr);

// Opens an output (created when absent; truncated or appended to). A FIFO or
// a device stays non-blocking, so a write that would wait fails instead; a
// FIFO nobody reads cannot be opened. -1 when it cannot be opened.
int OpenOutputFile(const std::string& path, bool append);

// Definition and configuration files are small; a larger one is read as far
// as this and the user is told.
constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// Who hears that a file was read only as far as its bound; by default a line
// on standard error. nullptr restores the default.
using CutFileNotice = void (*)(const std::string& path, std::size_t bound);
void SetCutFileNotice(CutFileNotice notice);

// The file as bytes, at most kMaxTextFileBytes of it (a longer file is cut
// there and reported); false when it cannot be opened or read or is not a
// regular file.
bool ReadFileBytes(const std::string& path, std::string& content);

// All lines of a file without their line ends (CR LF or LF; a last line
// without an end counts). false when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Writes the whole content to a temporary file beside path and renames it
// over path, so a failed write leaves the old file whole. Temporary files
// that processes no longer alive left in that directory are removed. reason, when
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
