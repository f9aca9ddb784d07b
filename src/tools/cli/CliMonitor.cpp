#include "CliMonitor.h"

#include <csignal>
#include <cstdio>

#include "CliMonitorHost.h"
#include "CliMonitorOptions.h"

namespace quelda {

int RunMonitor(int argc, char** argv) {
    MonitorOptions options;
    const std::string error = ParseMonitorOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "quelda-cli monitor: %s; usage: %s\n", error.c_str(), kMonitorUsage);
        return 2;
    }
    if (options.help) {
        std::printf("usage: %s\n\n%s", kMonitorUsage, kMonitorScriptHelp);
        return 0;
    }
    // A reader that goes away must not kill the monitor in the middle of a write.
    std::signal(SIGPIPE, SIG_IGN);
    CCliMonitorHost host(std::move(options));
    return host.Run();
}

}  // namespace quelda
