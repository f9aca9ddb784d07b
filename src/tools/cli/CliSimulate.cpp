#include "CliSimulate.h"

#include <signal.h>

#include <csignal>
#include <cstdio>

#include "CliSimulateHost.h"
#include "CliStopSignals.h"

namespace quelda {

int RunSimulate(int argc, char** argv) {
    SimulateOptions options;
    const std::string error = ParseSimulateOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "quelda-cli simulate: %s; usage: %s\n", error.c_str(), kSimulateUsage);
        return 2;
    }
    if (options.help) {
        std::printf("usage: %s\n", kSimulateUsage);
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    CStopSignals::Block();
    CCliSimulateHost host(std::move(options));
    return host.Run();
}

}  // namespace quelda
