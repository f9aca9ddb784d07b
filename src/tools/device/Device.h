#pragma once
// quelda-device put together from its options: profile, faults, engine,
// line and loop.
#include <memory>
#include <ostream>
#include <string>

#include "comm/SignalPipe.h"
#include "device/DeviceEngine.h"
#include "device/DeviceLink.h"
#include "device/DeviceOptions.h"
#include "device/DeviceProfile.h"

namespace quelda {

class CDevice {
public:
    explicit CDevice(DeviceOptions options);

    // Loads the profile and applies the options; problems go to err.
    bool Prepare(std::ostream& err);
    // Opens the line and announces it on out ("PTY <slave>" or
    // "PORT <path>", flushed), then runs until a signal. Returns the exit
    // code: 0 after a signal, 1 when the line could not be opened or failed.
    int Run(std::ostream& out, std::ostream& err);

    CDeviceProfile& Profile() { return m_profile; }

private:
    void SaveImage(std::ostream& err);

    DeviceOptions m_options;
    CDeviceProfile m_profile;
    CDeviceAnswer m_floodDefault;
    std::unique_ptr<CDeviceEngine> m_engine;
};

}  // namespace quelda
