#pragma once
// Whole files of the program directory: read, cut into lines, rewritten
// safely, appended to.
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

// The whole file as bytes; false when it cannot be opened or read.
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

}  // namespace quelda
