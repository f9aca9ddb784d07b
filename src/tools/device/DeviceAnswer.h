#pragma once
// The device's answer to one request command: a text frame of fields or a
// binary frame with a typed block, from a field file of the profile.
#include <cstdint>
#include <string>
#include <vector>

#include "device/AnswerField.h"

namespace quelda {

class CDeviceAnswer {
public:
    // The largest block length the receiving side takes (length bytes
    // included).
    static constexpr std::size_t kMaxBlockLength = 4095;

    // Reads the field file at path: comma lines, comment lines skipped, the
    // first remaining line a caption line, then one field per line. Every
    // unusable line is reported in problems (file:line: reason) and left out.
    bool Load(const std::string& path, const std::string& request, bool binary,
              std::vector<std::string>& problems);
    void AddField(const CAnswerField& field) { m_fields.push_back(field); }

    // The frame body after the header and ",": the request command, the
    // fields, "*". A binary body carries its block with the two length bytes
    // (lengthFormat 0: low byte first). Each call counts one answer.
    std::string Body(double t, int lengthFormat);

    const std::string& Request() const { return m_strRequest; }
    bool IsBinary() const { return m_bBinary; }
    double Rate() const { return m_dRate; }
    void SetRate(double perSecond) { m_dRate = perSecond; }
    void SetRequest(const std::string& request, bool binary);
    uint64_t Count() const { return m_nCount; }

private:
    std::string m_strRequest;
    bool m_bBinary = false;
    double m_dRate = 0.0;  // unsolicited frames per second, 0 for none
    uint64_t m_nCount = 0;
    std::vector<CAnswerField> m_fields;
};

}  // namespace quelda
