#include "device/Device.h"

#include "device/DeviceLoop.h"
#include "device/EepromFiles.h"

namespace quelda {

CDevice::CDevice(DeviceOptions options) : m_options(std::move(options)) {}

bool CDevice::Prepare(std::ostream& err) {
    std::vector<std::string> problems;
    bool ok = true;
    if (!m_options.profileDir.empty()) ok = m_profile.Load(m_options.profileDir, problems);
    for (const auto& [name, value] : m_options.faults) {
        std::string error;
        if (!m_profile.m_faults.Set(name, value, error)) {
            problems.push_back(error);
            ok = false;
        }
    }
    if (m_options.silent) m_profile.m_faults.silent = true;
    for (const std::string& problem : problems) err << "quelda-device: " << problem << "\n";
    m_engine = std::make_unique<CDeviceEngine>(m_profile);
    m_engine->SetLine(m_options.line);
    // without an answer of the profile --flood sends "FLOOD,<sequence number>"
    m_floodDefault.SetRequest("FLOOD", false);
    CAnswerField sequence;
    std::string error;
    if (sequence.Parse({"Sequence", "%u", "COUNTER", "0", "1", "0"}, false, error)) {
        m_floodDefault.AddField(sequence);
    }
    return ok;
}

int CDevice::Run(std::ostream& out, std::ostream& err) {
    CDeviceLink link;
    std::string error;
    const bool opened = m_options.portName.empty()
                            ? link.OpenPty(m_options.linkPath, error)
                            : link.OpenPort(m_options.portName, m_options.line, error);
    if (!opened) {
        err << "quelda-device: " << error << "\n";
        return 1;
    }
    if (!link.IsPty()) m_engine->SetLine(CompleteLine(m_options.line));
    CSignalPipe signals;
    if (!signals.Install()) {
        err << "quelda-device: cannot install the signal handlers\n";
        return 1;
    }
    out << (link.IsPty() ? "PTY " + link.SlavePath() : "PORT " + m_options.portName) << std::endl;
    CDeviceLoop loop(link, *m_engine, signals);
    for (CDeviceAnswer& answer : m_profile.m_answers) loop.AddStream(answer, answer.Rate());
    if (m_options.flood > 0) {
        CDeviceAnswer* flood = m_profile.FloodAnswer();
        loop.AddStream(flood != nullptr ? *flood : m_floodDefault,
                       static_cast<double>(m_options.flood));
    }
    const int code = loop.Run();
    if (code != 0) err << "quelda-device: the line failed\n";
    if (m_options.save || m_profile.m_bSave) SaveImage(err);
    link.Close();
    return code;
}

void CDevice::SaveImage(std::ostream& err) {
    std::string error;
    if (m_profile.m_strDataPath.empty()) {
        err << "quelda-device: nothing to save: the profile names no EEPROM data file\n";
    } else if (!SaveEepromImage(m_profile.m_image, m_profile.m_saveAccess, m_profile.m_strDataPath,
                                error)) {
        err << "quelda-device: " << error << "\n";
    }
}

}  // namespace quelda
