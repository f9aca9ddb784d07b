#pragma once
// What the terminal's "Send" does with the typed text: a "$" line is sent
// framed, anything else is first tried as the name of a file to send raw.
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

class CMainCore;

enum class CommandLineRoute { kNothing, kLine, kFile };

// All bytes of a regular file. Directories, devices and pipes are refused,
// so a typed name like /dev/zero can neither block nor read forever.
bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes);

// Empty text: nothing. "$..." or an unreadable file name: SendLine(text, 0).
// A readable file: its bytes through WriteRaw, nothing shown.
CommandLineRoute SendTermCommandLine(CMainCore& core, const std::string& text);

}  // namespace quelda
