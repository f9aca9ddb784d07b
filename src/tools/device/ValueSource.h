#pragma once
// Where one field of a device answer takes its value from: a constant, a
// counter, a sine, a ramp, a bit field that moves, or the time.
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

class CValueSource {
public:
    enum class Kind {
        Const,    // CONST,value          the value (or its text, see Literal)
        Counter,  // COUNTER,start,step,modulo   start + n x step, modulo > 0 wraps
        Sine,     // SINE,amplitude,period,offset   offset + amplitude x sin(2 pi t / period)
        Ramp,     // RAMP,low,high,period          low .. high once per period
        Bits,     // BITS,base,range,period,...    each range counts up once per period
        Millis,   // MILLIS                         milliseconds since the device started
    };

    // From the generator name and its arguments (numbers decimal, or hex
    // after "0x"). false with a reason for an unknown name or bad arguments.
    bool Parse(const std::string& name, const std::vector<std::string>& args, std::string& error);

    // The value at t seconds after the start, for the n-th answer (n from 0).
    double Value(double t, uint64_t n) const;

    Kind GetKind() const { return m_kind; }
    // The first argument as written (a CONST field with an empty format
    // sends it unchanged).
    const std::string& Literal() const { return m_strLiteral; }

private:
    struct BitRange {
        int low = 0;
        int high = 0;
        double period = 1.0;
    };

    bool ParseBits(const std::vector<std::string>& args, std::string& error);
    double BitsValue(double t) const;

    Kind m_kind = Kind::Const;
    double m_a = 0.0;
    double m_b = 0.0;
    double m_c = 0.0;
    std::string m_strLiteral;
    std::vector<BitRange> m_ranges;
};

// A decimal number, or hexadecimal after "0x"; false when the text is not
// wholly a number.
bool ParseDeviceNumber(const std::string& text, double& value);

}  // namespace quelda
