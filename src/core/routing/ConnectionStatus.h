#pragma once
// The connection as the status bar shows it: port, settings and state.
#include <string>

#include "config/LineSettings.h"

namespace quelda {

enum class LinkState {
    Connected,     // the port is open
    Disconnected,  // closed: never opened, closed by the user, or failed
    Reconnecting,  // hung up; attempts to reopen it run
    Searching,     // the automatic search tries a setting
};

struct ConnectionStatus {
    LinkState state = LinkState::Disconnected;
    // The settings in use, or while searching the ones being tried.
    LineSettings line;
    int step = 0;   // searching: 1-based step
    int steps = 0;  // searching: number of steps
};

// "COM3 19200 8N1 connected", "COM3 disconnected", "COM3 reconnecting…",
// "searching 57600 8 ODD 1 (11/15)". The settings of an open port are shown
// as the channel took them.
std::string ConnectionStatusText(const ConnectionStatus& status);

}  // namespace quelda
