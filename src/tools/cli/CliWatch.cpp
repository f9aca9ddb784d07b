#include "CliWatch.h"

#include <csignal>
#include <cstdio>

#include "CliStopSignals.h"
#include "CliWatchHost.h"
#include "CliWatchOptions.h"

namespace quelda {

int RunWatch(int argc, char** argv) {
    WatchOptions options;
    const std::string error = ParseWatchOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "quelda-cli watch: %s; usage: %s\n", error.c_str(), kWatchUsage);
        return 2;
    }
    if (options.help) {
        std::printf("usage: %s\n", kWatchUsage);
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    CStopSignals::Block();
    CCliWatchHost host(std::move(options));
    return host.Run();
}

}  // namespace quelda
