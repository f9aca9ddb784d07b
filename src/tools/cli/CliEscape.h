#pragma once
// How quelda-cli writes bytes into its one-line events and reads them from
// its script lines.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quelda {

// Printable ASCII as it is ("\" doubled), CR "\r", LF "\n", TAB "\t", every
// other byte "\xHH" in upper case.
std::string EscapeBytes(const std::string& bytes);

// Decodes \r \n \t \\ and \xHH (two hex digits, either case); any other
// backslash sequence is kept as it stands.
std::string UnescapeText(const std::string& text);

// Upper-case hex digits, two per byte, no blanks.
std::string HexUpper(const uint8_t* data, std::size_t length);

}  // namespace quelda
