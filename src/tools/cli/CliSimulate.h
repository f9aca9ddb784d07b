#pragma once
// quelda-cli simulate: the simulator window's Send without the window.
//
//   simulate [--dir DIR] [--port NAME] [--baud B] [--data D] [--parity P]
//            [--stop S] [--mode once|periodic|response] [--period HZ]
//            [--reception TEXT] [--header TEXT] [--checksum 0|1]
//            [--set ROW=VALUE]... [--seconds S]
//
// QUELDA.INI, PSETTING.TXT, SIMULATOR.TXT and its choice files are read as
// the window reads them when it opens; --period, --reception, --header and
// --checksum replace the four settings; --set gives an edit row its text or
// selects a choice row's choice by its shown text. Then one Send in the
// mode: once sends and exits; periodic and response run until --seconds,
// SIGINT or SIGTERM, then Stop. Events as monitor prints them. Exit 0; 1
// when the port does not open; 2 on a usage error.

namespace quelda {

// argv[0] is "simulate".
int RunSimulate(int argc, char** argv);

}  // namespace quelda
