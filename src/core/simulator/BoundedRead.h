#pragma once
// Reading a file named by the user without trusting what it is: only a
// regular file, and only up to a size, so a directory, a device such as
// /dev/zero or a FIFO can neither hang nor exhaust memory.
#include <cstddef>
#include <string>

namespace quelda {

enum class ReadOutcome {
    Read,     // content holds the whole file
    Missing,  // no such file (or it cannot be opened)
    Refused,  // not a regular file, or larger than the bound
};

ReadOutcome ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& content);

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
