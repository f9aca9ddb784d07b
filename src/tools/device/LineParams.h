#pragma once
// The line settings at which the device answers, and what it can see of
// the settings the other side has set.
#include <cstdint>
#include <string>

namespace quelda {

// A part left at its "any" value is not compared.
struct LineParams {
    static constexpr int kAny = -1;

    uint32_t baud = 0;    // 0: any
    int dataBits = kAny;  // 5 .. 8
    int parity = kAny;    // 0 none, 1 odd, 2 even
    int stopBits = kAny;  // 0 one, 1 one and a half, 2 two

    bool operator==(const LineParams& o) const {
        return baud == o.baud && dataBits == o.dataBits && parity == o.parity &&
               stopBits == o.stopBits;
    }
};

// What the device sees of the other side's settings. Through a
// pseudo-terminal the kernel keeps the speed, the stop bits and the odd bit,
// but forces 8 data bits and clears parity enable: even and none look alike.
struct LineView {
    uint32_t baud = 0;
    bool odd = false;
    bool twoStop = false;
};

// Each part parsed strictly from the texts of the setting dialog ("19200",
// "8", "EVEN"/"ODD"/"NO", "1"/"1.5"/"2"); an empty text leaves that part
// "any". false with a reason when a text is not a valid setting.
bool ParseLineParams(const std::string& baud, const std::string& dataBits,
                     const std::string& parity, const std::string& stopBits, LineParams& out,
                     std::string& error);

// The four texts joined by "," as in a setting request; parts left "any"
// are filled from what is seen (or 8 data bits, none, one stop bit).
std::string DescribeLine(const LineParams& wanted, const LineView& seen);

// Whether the visible parts of seen agree with wanted: the speed, odd or
// not, two stop bits or not (one and a half counts as two, as a port opened
// for 1.5 sets two). Data bits cannot be seen and are never compared.
bool LineMatches(const LineParams& wanted, const LineView& seen);

}  // namespace quelda
