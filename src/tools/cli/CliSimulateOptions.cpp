#include "CliSimulateOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "text/LenientNumbers.h"

namespace quelda {

const char* const kSimulateUsage =
    "quelda-cli simulate [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P] "
    "[--stop S] [--mode once|periodic|response] [--period HZ] [--reception TEXT] "
    "[--header TEXT] [--checksum 0|1] [--set ROW=VALUE]... [--seconds S]";

namespace {

bool ParseMode(const std::string& text, SimMode& mode) {
    if (text == "once") {
        mode = SimMode::Once;
    } else if (text == "periodic") {
        mode = SimMode::Periodic;
    } else if (text == "response") {
        mode = SimMode::Response;
    } else {
        return false;
    }
    return true;
}

std::string ParseSet(const std::string& text, std::map<int, std::string>& set) {
    const std::size_t equals = text.find('=');
    int row = 0;
    if (equals == std::string::npos || !ParseStrictInt(text.substr(0, equals), row) || row < 1 ||
        row > kSimRows) {
        return "--set needs ROW=VALUE with ROW 1 to 20";
    }
    set[row] = text.substr(equals + 1);
    return {};
}

// One option of simulate's own and its value.
std::string ParseOwn(const std::string& name, const std::string& value, SimulateOptions& o) {
    if (name == "--mode") {
        if (!ParseMode(value, o.mode)) return "--mode takes once, periodic or response";
    } else if (name == "--period") {
        o.period = value;
    } else if (name == "--reception") {
        o.reception = value;
    } else if (name == "--header") {
        o.header = value;
    } else if (name == "--checksum") {
        if (value != "0" && value != "1") return "--checksum takes 0 or 1";
        o.checksum = value == "1";
    } else if (name == "--set") {
        return ParseSet(value, o.set);
    } else {
        double seconds = 0;
        if (!ParseSeconds(value, seconds)) return "--seconds takes a number of seconds";
        o.seconds = seconds;
    }
    return {};
}

bool IsOwn(const std::string& name) {
    for (const char* own :
         {"--mode", "--period", "--reception", "--header", "--checksum", "--set", "--seconds"}) {
        if (name == own) return true;
    }
    return false;
}

}  // namespace

SimulatorSettings SimulateOptions::ApplyTo(SimulatorSettings settings) const {
    if (period) settings.period = *period;
    if (reception) settings.receiveHeader = *reception;
    if (header) settings.sendHeader = *header;
    if (checksum) settings.checksum = *checksum;
    return settings;
}

std::string ParseSimulateOptions(int argc, char** argv, SimulateOptions& options) {
    return ParseWithLineOptions(
        argc, argv, 1, IsOwn,
        [&](const std::string& name, const std::string& value) { return ParseOwn(name, value, options); },
        options.help, options.line);
}

std::string RowInputs(const CSimulator& simulator, const std::map<int, std::string>& set,
                      std::vector<SimRowInput>& inputs) {
    const std::vector<SimParam>& rows = simulator.Rows();
    inputs.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        inputs.push_back(simulator.InitialInput(static_cast<int>(i)));
    }
    for (const auto& [row, value] : set) {
        if (row > static_cast<int>(rows.size())) {
            return "--set " + std::to_string(row) + ": the row has no definition";
        }
        const SimParam& param = rows[row - 1];
        SimRowInput& input = inputs[row - 1];
        if (!param.IsChoiceRow()) {
            input.text = value;
        } else if ((input.selection = param.FindOffered(value)) < 0) {
            return "--set " + std::to_string(row) + ": no choice \"" + value + "\" is offered";
        }
    }
    return {};
}

}  // namespace quelda
