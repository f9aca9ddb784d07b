#pragma once
// Any baud rate through the kernel's termios2 interface. Its header cannot
// share a translation unit with <termios.h>, hence plain ints here.
#include <cstdint>

namespace quelda {

// Sets input and output rate to baud; 0 on success, else -1 with errno.
int SetCustomBaud(int fd, uint32_t baud);

// Reads the rates the port runs at; 0 on success, else -1 with errno.
// custom tells whether they are set as free numbers rather than codes.
int GetBaud(int fd, uint32_t& inBaud, uint32_t& outBaud, bool& custom);

}  // namespace quelda
