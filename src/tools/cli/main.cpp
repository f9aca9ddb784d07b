// quelda-cli: the core without windows, for scripts and test rigs.
#include <cstdio>
#include <string>

#include "CliBin2Csv.h"
#include "CliEeprom.h"
#include "CliMonitor.h"
#include "CliSimulate.h"
#include "CliWatch.h"
#include "QueldaVersion.h"

namespace {

const char* const kUsage =
    "usage: quelda-cli monitor|watch|simulate|eeprom|bin2csv [options] (--help for each) | "
    "--version";

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "monitor") return quelda::RunMonitor(argc - 1, argv + 1);
    if (command == "watch") return quelda::RunWatch(argc - 1, argv + 1);
    if (command == "simulate") return quelda::RunSimulate(argc - 1, argv + 1);
    if (command == "eeprom") return quelda::RunEeprom(argc - 1, argv + 1);
    if (command == "bin2csv") return quelda::RunBin2Csv(argc - 1, argv + 1);
    if (command == "--version") {
        std::printf("quelda-cli %s\n", QUELDA_VERSION);
        return 0;
    }
    if (command == "--help" || command == "-h") {
        std::printf("%s\n", kUsage);
        return 0;
    }
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
}
