#include "device/DeviceEngine.h"

#include <cstdio>

#include "text/CommaLines.h"
#include "text/LenientNumbers.h"
#include "protocol/Frame.h"

namespace quelda {
namespace {

// No command can equal it (a command ends at ","), so no frame the device
// receives is taken for a binary one.
constexpr const char* kNoBinaryCommand = ",";

// 1 to 8 hexadecimal digits and nothing else.
bool ParseHexField(const std::string& text, uint32_t& value) {
    if (text.empty() || text.size() > 8 ||
        text.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return false;
    }
    value = ScanHex32(text);
    return true;
}

bool ParseHexFields(std::vector<std::string>::const_iterator from,
                    std::vector<std::string>::const_iterator to, std::vector<uint32_t>& values) {
    values.clear();
    for (auto it = from; it != to; ++it) {
        uint32_t v = 0;
        if (!ParseHexField(*it, v)) return false;
        values.push_back(v);
    }
    return true;
}

std::string HexList(const std::vector<uint32_t>& values) {
    std::string text;
    char digits[12];
    for (uint32_t v : values) {
        std::snprintf(digits, sizeof digits, ",%X", v);
        text += digits;
    }
    return text;
}

}  // namespace

CDeviceEngine::CDeviceEngine(CDeviceProfile& profile)
    : m_profile(profile), m_injector(profile.m_faults) {
    ResetParser();
}

CDeviceEngine::~CDeviceEngine() = default;

void CDeviceEngine::ResetParser() {
    m_parser = std::make_unique<CReceiveParser>(static_cast<IParserListener&>(*this));
    m_parser->SetReceiveHeader(m_profile.m_strReceiveHeader);
    m_parser->SetBinaryCommand(kNoBinaryCommand);
}

bool CDeviceEngine::TakeLineChange(LineParams& params) {
    if (!m_bLineChanged) return false;
    m_bLineChanged = false;
    params = m_line;
    return true;
}

void CDeviceEngine::Receive(const uint8_t* data, std::size_t count, double now) {
    m_dNow = now;
    m_parser->Receive(data, count);
}

void CDeviceEngine::SendUnsolicited(CDeviceAnswer& answer, double now) {
    m_dNow = now;
    Emit(answer.Body(now, m_profile.m_nBinLengthFormat), 0.0);
}

void CDeviceEngine::Emit(const std::string& body, double delaySeconds) {
    std::string bytes = m_injector.Apply(BuildCommandLine(m_profile.m_strSendHeader, body));
    if (delaySeconds <= 0.0 && m_delayed.empty()) {
        m_strReady += bytes;
    } else {
        // behind a delayed reply everything waits its turn, so order holds
        m_delayed.push_back({m_dNow + delaySeconds, std::move(bytes)});
    }
}

void CDeviceEngine::Reply(const std::string& body) {
    Emit(body, m_profile.m_faults.delayMs / 1000.0);
}

void CDeviceEngine::TakeDue(double now, std::string& out) {
    out += m_strReady;
    m_strReady.clear();
    while (!m_delayed.empty() && m_delayed.front().due <= now) {
        out += m_delayed.front().bytes;
        m_delayed.pop_front();
    }
}

double CDeviceEngine::NextDue() const {
    if (!m_strReady.empty()) return 0.0;
    return m_delayed.empty() ? -1.0 : m_delayed.front().due;
}

std::vector<std::string> CDeviceEngine::FieldsOf(const char* text, std::size_t length,
                                                 const std::string& command) const {
    // text: header "," command ["," fields] "*" XX CR LF
    const std::string frame(text, length);
    const std::size_t from = m_profile.m_strReceiveHeader.size() + 1 + command.size();
    const std::size_t star = frame.find('*', from);
    if (star == std::string::npos || from >= star) return {};
    return SplitComma(frame.substr(from + 1, star - from - 1));
}

void CDeviceEngine::OnFrame(const std::string& command, const char* text, std::size_t length,
                            const uint8_t*, std::size_t) {
    if (m_profile.m_faults.silent || command == "ACK" || command == "NAK") return;
    const std::vector<std::string> fields = FieldsOf(text, length, command);
    if (command == "COM") {
        HandleCom(fields);
    } else if (command == "DB" || command == "DW") {
        HandleRead(command == "DB" ? CMemoryImage::Access::Byte : CMemoryImage::Access::Word,
                   fields);
    } else if (command == "EB" || command == "EW") {
        HandleWrite(command == "EB" ? CMemoryImage::Access::Byte : CMemoryImage::Access::Word,
                    fields);
    } else if (command == "SUM") {
        char text[32];
        std::snprintf(text, sizeof text, "SUM,%X*", m_profile.m_image.Sum(m_profile.m_saveAccess));
        Reply(text);
    } else if (CDeviceAnswer* answer = m_profile.FindAnswer(command)) {
        Reply(answer->Body(m_dNow, m_profile.m_nBinLengthFormat));
    } else {
        Reply("ACK*");
    }
}

void CDeviceEngine::OnReceiveError(ReceiveError error) {
    if (!m_profile.m_faults.silent && error == ReceiveError::Checksum) Reply("NAK*");
}

void CDeviceEngine::HandleCom(const std::vector<std::string>& fields) {
    if (fields.empty()) {
        Reply("COM," + DescribeLine(m_line, m_seen) + "*");
        return;
    }
    LineParams requested;
    std::string error;
    if (fields.size() != 4 || fields[0].empty() || fields[1].empty() || fields[2].empty() ||
        fields[3].empty() ||
        !ParseLineParams(fields[0], fields[1], fields[2], fields[3], requested, error)) {
        Reply("NAK*");
        return;
    }
    Reply("ACK*");
    m_line = requested;
    m_bLineChanged = true;
}

void CDeviceEngine::HandleRead(CMemoryImage::Access access,
                               const std::vector<std::string>& fields) {
    uint32_t addr = 0;
    std::vector<uint32_t> values;
    if (fields.size() != 1 || !ParseHexField(fields[0], addr) ||
        !m_profile.m_image.Read(access, addr, values)) {
        Reply("NAK*");
        return;
    }
    Reply((access == CMemoryImage::Access::Byte ? "DB" : "DW") + HexList(values) + "*");
}

void CDeviceEngine::HandleWrite(CMemoryImage::Access access,
                                const std::vector<std::string>& fields) {
    uint32_t addr = 0;
    std::vector<uint32_t> values;
    std::string reason;
    const bool ok = !m_profile.m_faults.nakWrites && fields.size() >= 2 &&
                    ParseHexField(fields[0], addr) &&
                    ParseHexFields(fields.begin() + 1, fields.end(), values) &&
                    m_profile.m_image.Write(access, addr, values, reason);
    Reply(ok ? "ACK*" : "NAK*");
}

}  // namespace quelda
