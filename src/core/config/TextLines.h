#pragma once
// Reading and writing the plain-text files of the program directory: lines
// cut at CR LF or LF, comma fields, lenient numbers, safe rewrites.
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

// The whole file as bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& content);

// All lines of a file without their line ends (CR LF or LF; a last line
// without an end counts). false when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Cuts a line at every ","; nothing is trimmed or unquoted. At least `count`
// fields are returned (missing ones empty); surplus fields are kept.
std::vector<std::string> SplitComma(const std::string& line, std::size_t count = 0);

// The C library's atoi/atof/"%X" rules, without undefined behaviour: leading
// blanks, optional sign, digits up to the first other character, 0 when
// there are none; out-of-range values saturate.
long long LenientAtoll(const std::string& text);
int LenientAtoi(const std::string& text);
double LenientAtof(const std::string& text);
// "%X" into an unsigned 32-bit value; ok = false when no hex digit follows
// the blanks (value 0 then).
uint32_t ScanHex32(const std::string& text, bool* ok = nullptr);

// Writes the whole content to a temporary file beside path and renames it
// over path, so a failed write leaves the old file whole.
bool WriteFileAtomic(const std::string& path, const std::string& content);

// Appends bytes to a file, creating it; errors ignored (returns false).
bool AppendToFile(const std::string& path, const void* data, std::size_t size);

bool FileExists(const std::string& path);

// The first of base + "00".."99" + "." + ext that does not exist yet, or the
// "00" name when all exist.
std::string NextNumberedFileName(const std::string& base, const std::string& ext);

// Today's date as "%y%m%d".
std::string TodayYYMMDD();

}  // namespace quelda
