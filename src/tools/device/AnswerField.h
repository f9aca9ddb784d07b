#pragma once
// One field of a device answer: its value source and how the value is
// written, as text through a format or as bytes of a binary type.
#include <cstdint>
#include <string>
#include <vector>

#include "device/ValueSource.h"
#include "values/BinaryType.h"
#include "values/FormatSpec.h"

namespace quelda {

class CAnswerField {
public:
    // columns: name, type, generator, arguments... type is a printf format
    // with one integer or double conversion (text answers; empty sends a
    // CONST field's text unchanged) or a binary type name or "JUMPn" (binary
    // answers). false with a reason when the line cannot be used.
    bool Parse(const std::vector<std::string>& columns, bool binary, std::string& error);

    // Appends the field's text (text answers) or bytes (binary answers).
    void AppendText(std::string& out, double t, uint64_t n) const;
    void AppendBinary(std::string& out, double t, uint64_t n) const;

    const std::string& Name() const { return m_strName; }
    // Bytes the field adds to a binary block.
    std::size_t Width() const;

private:
    std::string m_strName;
    bool m_bLiteral = false;  // text answer, empty format: the CONST text as is
    FormatSpec m_spec;
    BinaryType m_binary;
    CValueSource m_source;
};

}  // namespace quelda
