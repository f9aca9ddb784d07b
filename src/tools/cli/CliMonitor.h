#pragma once
// quelda-cli monitor: the main core without windows. It connects, runs a
// script from standard input and prints one line per event.
//
//   monitor [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P]
//           [--stop S] [--yes|--no]
//
// Script lines (TEXT is the rest of the line after one blank, with \r \n \t
// \\ \xHH decoded; empty lines and lines beginning with "#" are skipped):
//   line TEXT, cmd TEXT        send without a reply wait
//   wait TEXT                  send as a command with the 500 ms reply timer
//   button N, request B D P S  a command record; the setting request
//   bin NAME                   the binary command name
//   search, connect, disconnect
//   sleep MS                   keep handling events for MS ms
//   quit                       as the end of the input
// At the end, what has already arrived is handled, and a running reply
// timer or search is let finish (so a last "wait" prints its reply or the
// time-out) before the program exits.
//
// Events: CONNECTED <port>, DISCONNECTED, SENT <line>, FRAME <text>,
// BLOCK <hex>, ERROR <text>, LINE <text>, REFUSED, MESSAGE <text>,
// ASK <text>. Exit 0; 1 when a script line was not understood (it is
// reported on standard error and skipped); 2 on a usage error.

namespace quelda {

// argv[0] is "monitor".
int RunMonitor(int argc, char** argv);

}  // namespace quelda
