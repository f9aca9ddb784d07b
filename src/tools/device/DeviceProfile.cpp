#include "device/DeviceProfile.h"

#include <sys/stat.h>

#include "config/IniFile.h"
#include "text/CommaLines.h"
#include "text/LenientNumbers.h"
#include "text/TextFile.h"
#include "device/EepromFiles.h"
#include "device/ValueSource.h"

namespace quelda {
namespace {

bool IsFolder(const std::string& dir) {
    struct stat st;
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A request command the program can send and the routing can compare.
bool UsableRequest(const std::string& request) {
    return !request.empty() && request.find_first_of(",*$\r\n") == std::string::npos;
}

}  // namespace

std::string ProfilePath(const std::string& dir, const std::string& name) {
    if (name.empty() || name[0] == '/') return name;
    return dir + "/" + name;
}

bool CDeviceProfile::Load(const std::string& dir, std::vector<std::string>& problems) {
    if (!IsFolder(dir)) {
        problems.push_back(dir + ": no such folder");
        return false;
    }
    const std::string ini = dir + "/DEVICE.INI";
    if (!FileExists(ini)) problems.push_back(ini + ": missing, defaults used");
    m_strSendHeader = GetProfileString(ini, "DEVICE", "SEND_HEADER", "$QVR");
    m_strReceiveHeader = GetProfileString(ini, "DEVICE", "RECEIVE_HEADER", "$QVR");
    m_nBinLengthFormat = GetProfileInt(ini, "DEVICE", "BIN_LENGTH_FORMAT", 0);
    m_strFlood = GetProfileString(ini, "DEVICE", "FLOOD", "");
    LoadAnswers(dir, ini, problems);
    LoadEeprom(dir, ini, problems);
    LoadFaults(ini, problems);
    return true;
}

void CDeviceProfile::LoadAnswers(const std::string& dir, const std::string& ini,
                                 std::vector<std::string>& problems) {
    m_answers.clear();
    for (int n = 1; n <= kMaxAnswers; ++n) {
        const std::string key = "ANSWER" + std::to_string(n);
        const std::string value = GetProfileString(ini, "ANSWERS", key, "");
        if (value.empty()) continue;
        const std::vector<std::string> parts = SplitComma(value, 4);
        const bool binary = parts[1] == "BINARY";
        double rate = 0.0;
        if (!UsableRequest(parts[0]) || (!binary && parts[1] != "TEXT") ||
            (!parts[3].empty() &&
             (!ParseDeviceNumber(parts[3], rate) || rate < 0.0 || rate > kMaxRate))) {
            problems.push_back(ini + ": " + key + "=" + value +
                               ": expected request,TEXT|BINARY,file[,rate]");
            continue;
        }
        if (FindAnswer(parts[0]) != nullptr) {
            problems.push_back(ini + ": " + key + ": request " + parts[0] + " given twice");
            continue;
        }
        CDeviceAnswer answer;
        if (!answer.Load(ProfilePath(dir, parts[2]), parts[0], binary, problems)) continue;
        answer.SetRate(rate);
        m_answers.push_back(answer);
    }
}

void CDeviceProfile::LoadEeprom(const std::string& dir, const std::string& ini,
                                std::vector<std::string>& problems) {
    const std::string table = ProfilePath(dir, GetProfileString(ini, "EEPROM", "TABLE", ""));
    m_strDataPath = ProfilePath(dir, GetProfileString(ini, "EEPROM", "DATA", ""));
    const uint32_t size = ScanHex32(GetProfileString(ini, "EEPROM", "SIZE", "0"));
    const std::string access = GetProfileString(ini, "EEPROM", "ACCESS", "BYTE");
    if (access != "BYTE" && access != "WORD") {
        problems.push_back(ini + ": ACCESS=" + access + ": BYTE or WORD; BYTE used");
    }
    m_saveAccess = access == "WORD" ? CMemoryImage::Access::Word : CMemoryImage::Access::Byte;
    m_bSave = GetProfileInt(ini, "EEPROM", "SAVE", 0) != 0;
    if (table.empty()) {
        m_image.SetTable({}, size);
        return;
    }
    LoadEepromImage(table, m_strDataPath, size, m_image, problems);
}

void CDeviceProfile::LoadFaults(const std::string& ini, std::vector<std::string>& problems) {
    for (const char* name : DeviceFaults::kNames) {
        const std::string value = GetProfileString(ini, "FAULTS", name, "");
        std::string error;
        if (!value.empty() && !m_faults.Set(name, value, error)) {
            problems.push_back(ini + ": " + error);
        }
    }
}

CDeviceAnswer* CDeviceProfile::FindAnswer(const std::string& command) {
    for (CDeviceAnswer& answer : m_answers) {
        if (answer.Request() == command) return &answer;
    }
    return nullptr;
}

CDeviceAnswer* CDeviceProfile::FloodAnswer() {
    if (!m_strFlood.empty()) return FindAnswer(m_strFlood);
    return m_answers.empty() ? nullptr : &m_answers.front();
}

}  // namespace quelda
