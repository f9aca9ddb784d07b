// The words of the status bar's connection pane.
#include <gtest/gtest.h>

#include "routing/ConnectionStatus.h"

namespace quelda {
namespace {

TEST(ConnectionStatusTest, EveryStateInWords) {
    const LineSettings line{"COM3", "19200", "8", "NO", "1"};
    struct Case {
        ConnectionStatus status;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{LinkState::Connected, line}, "COM3 19200 8N1 connected"},
        {{LinkState::Connected, {"/dev/ttyUSB0", "57600", "7", "ODD", "2"}},
         "/dev/ttyUSB0 57600 7O2 connected"},
        // Shown as the channel took them: only the exact "EVEN" is even parity.
        {{LinkState::Connected, {"COM1", "9600x", "8", "EVEN ", "1.5"}}, "COM1 9600 8N1.5 connected"},
        {{LinkState::Connected, {"COM1", "115200", "8", "EVEN", "1"}}, "COM1 115200 8E1 connected"},
        {{LinkState::Disconnected, line}, "COM3 disconnected"},
        {{LinkState::Reconnecting, line}, "COM3 reconnecting\u2026"},
        {{LinkState::Searching, {"COM3", "57600", "8", "ODD", "1"}, 11, 15},
         "searching 57600 8 ODD 1 (11/15)"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConnectionStatusText(c.status), c.text);
}

}  // namespace
}  // namespace quelda
