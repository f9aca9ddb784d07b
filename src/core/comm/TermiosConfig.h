#pragma once
// The termios request for one set of line settings, kept apart from the
// descriptor so it can be checked without a port.
#include <termios.h>

#include <cstdint>
#include <optional>

namespace quelda {

// The speed_t code of a rate the classic termios interface knows, if any.
std::optional<speed_t> StandardSpeed(uint32_t baud);

// Raw mode with the given settings on top of base: parity 0 none, 1 odd,
// 2 even; stop 0 one, 1 one and a half, 2 two. A rate without a speed_t code
// leaves base's speed alone (the caller sets it through the custom-rate
// call). Nothing is returned for settings no port can take.
std::optional<struct termios> MakeTermios(const struct termios& base, uint32_t baud,
                                          uint8_t dataBits, uint8_t parity, uint8_t stopBits);

}  // namespace quelda
