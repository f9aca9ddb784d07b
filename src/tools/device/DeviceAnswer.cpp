#include "device/DeviceAnswer.h"

#include "text/CommaLines.h"

namespace quelda {
namespace {

// Name, type, generator and its arguments; BITS takes the most.
constexpr std::size_t kFieldColumns = 12;

}  // namespace

void CDeviceAnswer::SetRequest(const std::string& request, bool binary) {
    m_strRequest = request;
    m_bBinary = binary;
}

bool CDeviceAnswer::Load(const std::string& path, const std::string& request, bool binary,
                         std::vector<std::string>& problems) {
    SetRequest(request, binary);
    m_fields.clear();
    std::vector<std::vector<std::string>> rows;
    if (!ReadDefinitionRows(path, kFieldColumns, rows)) {
        problems.push_back(path + ": cannot be read");
        return false;
    }
    std::size_t blockLength = 2;
    for (std::size_t i = 1; i < rows.size(); ++i) {  // row 0 is the caption line
        CAnswerField field;
        std::string error;
        if (!field.Parse(rows[i], binary, error)) {
            problems.push_back(path + ": field \"" + rows[i][0] + "\": " + error);
            continue;
        }
        if (binary && blockLength + field.Width() > kMaxBlockLength) {
            problems.push_back(path + ": field \"" + rows[i][0] + "\" makes the block too long");
            continue;
        }
        blockLength += binary ? field.Width() : 0;
        m_fields.push_back(field);
    }
    return true;
}

std::string CDeviceAnswer::Body(double t, int lengthFormat) {
    const uint64_t n = m_nCount++;
    std::string body = m_strRequest + ",";
    if (!m_bBinary) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (i != 0) body += ',';
            m_fields[i].AppendText(body, t, n);
        }
        if (m_fields.empty()) body.pop_back();
        return body + "*";
    }
    std::string block;
    for (const CAnswerField& field : m_fields) field.AppendBinary(block, t, n);
    const std::size_t length = block.size() + 2;
    const char low = static_cast<char>(length & 0xFF);
    const char high = static_cast<char>((length >> 8) & 0xFF);
    body += lengthFormat == 0 ? low : high;
    body += lengthFormat == 0 ? high : low;
    return body + block + "*";
}

}  // namespace quelda
