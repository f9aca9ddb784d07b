#pragma once
// Everything the device answers with, from a profile folder: DEVICE.INI
// (headers, answers, memory image files, faults), the answers' field files
// and the EEPROM page table and data file.
#include <string>
#include <vector>

#include "device/DeviceAnswer.h"
#include "device/DeviceFaults.h"
#include "device/MemoryImage.h"

namespace quelda {

class CDeviceProfile {
public:
    static constexpr int kMaxAnswers = 99;
    static constexpr double kMaxRate = 1000000.0;

    // Reads dir + "/DEVICE.INI" and the files it names (relative names are
    // taken in dir). Missing keys keep their defaults; every problem is
    // reported and the rest still loads. false only when dir is no folder.
    bool Load(const std::string& dir, std::vector<std::string>& problems);

    // The answer whose request command is exactly command, or null.
    CDeviceAnswer* FindAnswer(const std::string& command);
    // The answer --flood sends: FLOOD of the profile, else the first one.
    CDeviceAnswer* FloodAnswer();

    std::string m_strSendHeader = "$QVR";     // on every frame the device sends
    std::string m_strReceiveHeader = "$QVR";  // every command must carry it
    int m_nBinLengthFormat = 0;               // 0: length low byte first
    std::string m_strFlood;
    std::vector<CDeviceAnswer> m_answers;

    CMemoryImage m_image;
    std::string m_strDataPath;  // the EEPROM data file, written back by a save
    CMemoryImage::Access m_saveAccess = CMemoryImage::Access::Byte;
    bool m_bSave = false;

    DeviceFaults m_faults;

private:
    void LoadAnswers(const std::string& dir, const std::string& ini,
                     std::vector<std::string>& problems);
    void LoadEeprom(const std::string& dir, const std::string& ini,
                    std::vector<std::string>& problems);
    void LoadFaults(const std::string& ini, std::vector<std::string>& problems);
};

// dir + "/" + name, or name itself when it is absolute.
std::string ProfilePath(const std::string& dir, const std::string& name);

}  // namespace quelda
