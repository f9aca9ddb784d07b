#include "routing/ConnectionStatus.h"

#include "comm/ComPort.h"

namespace quelda {
namespace {

std::string FrameShape(const LineSettings& line) {
    static const char kParity[] = {'N', 'O', 'E'};
    static const char* const kStop[] = {"1", "1.5", "2"};
    return std::to_string(DataBitsFromText(line.dataBits)) + kParity[ParityFromText(line.parity)] +
           kStop[StopBitsFromText(line.stopBits)];
}

}  // namespace

std::string ConnectionStatusText(const ConnectionStatus& status) {
    const LineSettings& line = status.line;
    switch (status.state) {
    case LinkState::Connected:
        return line.port + " " + std::to_string(BaudFromText(line.baud)) + " " + FrameShape(line) +
               " connected";
    case LinkState::Reconnecting:
        return line.port + " reconnecting\u2026";
    case LinkState::Searching:
        return "searching " + line.baud + " " + line.dataBits + " " + line.parity + " " +
               line.stopBits + " (" + std::to_string(status.step) + "/" +
               std::to_string(status.steps) + ")";
    case LinkState::Disconnected:
        break;
    }
    return line.port + " disconnected";
}

}  // namespace quelda
