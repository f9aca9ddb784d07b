// quelda-device: a virtual device on a pseudo-terminal or a real port.
#include <iostream>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/DeviceOptions.h"
#include "QueldaVersion.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    quelda::DeviceOptions options;
    std::string error;
    if (!quelda::ParseDeviceOptions(args, options, error)) {
        std::cerr << "quelda-device: " << error << "\n" << quelda::DeviceUsage();
        return 2;
    }
    if (options.version) {
        std::cout << "quelda-device " << QUELDA_VERSION << "\n";
        return 0;
    }
    if (options.help) {
        std::cout << quelda::DeviceUsage();
        return 0;
    }
    quelda::CDevice device(options);
    if (!device.Prepare(std::cerr)) return 2;
    return device.Run(std::cout, std::cerr);
}
