#include "CliEeprom.h"

#include <csignal>
#include <cstdio>

#include "CliEepromHost.h"

namespace quelda {

int RunEeprom(int argc, char** argv) {
    EepromOptions options;
    const std::string error = ParseEepromOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "quelda-cli eeprom: %s; usage: %s\n", error.c_str(), kEepromUsage);
        return 2;
    }
    if (options.help) {
        std::printf("usage: %s\n", kEepromUsage);
        return 0;
    }
    // A reader that goes away must not end a write half way.
    std::signal(SIGPIPE, SIG_IGN);
    CCliEepromHost host(std::move(options));
    return host.Run();
}

}  // namespace quelda
