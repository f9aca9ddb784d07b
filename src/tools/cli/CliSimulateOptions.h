#pragma once
// The command line of quelda-cli simulate.
#include <map>
#include <optional>
#include <string>

#include "CliMonitorOptions.h"
#include "simulator/Simulator.h"

namespace quelda {

struct SimulateOptions {
    MonitorOptions line;  // --dir and the line settings, as monitor takes them
    SimMode mode = SimMode::Once;
    // Replace the four settings of section SIMULATOR.
    std::optional<std::string> period, reception, header;
    std::optional<bool> checksum;
    std::map<int, std::string> set;  // --set ROW=VALUE, ROW 1 to 20
    std::optional<double> seconds;
    bool help = false;

    // The settings read, with the options given in their place.
    SimulatorSettings ApplyTo(SimulatorSettings settings) const;
};

extern const char* const kSimulateUsage;

// argv[0] is "simulate". Returns an empty string, or what is wrong.
std::string ParseSimulateOptions(int argc, char** argv, SimulateOptions& options);

// The row inputs of the simulator after the --set options: the window's
// initial controls, an edit row's text or a choice row's selection by its
// shown text replaced. Returns an empty string, or what is wrong (a row
// without a definition, a choice that is not offered).
std::string RowInputs(const CSimulator& simulator, const std::map<int, std::string>& set,
                      std::vector<SimRowInput>& inputs);

}  // namespace quelda
