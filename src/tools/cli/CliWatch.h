#pragma once
// quelda-cli watch: a monitor or the status window without the window.
//
//   watch --view monitor1|monitor2|monitor3|monitor4|status [--dir DIR]
//         [--port NAME] [--baud B] [--data D] [--parity P] [--stop S]
//         [--every MS] [--count N] [--seconds S] [--log FILE] [--csv FILE]
//
// QUELDA.INI, PSETTING.TXT (the line options replace its values),
// COMMAND2.TXT and the view's files are read as the program reads them.
// It connects, loads the view as its window's first show does and prints
// HEADER <text> (a monitor's log header without CR LF; "word" for status).
// The view's first command record is sent at once and then every MS ms
// (default 500; 0 sends nothing). Frames reach the view by the main
// frame's routing; at each 500 ms tick with new data a monitor prints
// VALUES <text> and a status view WORD <8 hex digits>, each followed by
// one CELL <item>,<label>,<text>,<R>,<G>,<B> per drawn status cell (the
// item is empty for the status view).
//
// --log FILE: the monitor's own log, as its Save box writes it (not for
// the status view). --csv FILE: the HEADER text once (when the file is
// empty), then every VALUES (or WORD) text, each with CR LF. A log or CSV
// record that cannot be written is reported once on standard error, then
// again only after a record was written again.
//
// Also prints SENT, ERROR, LINE, MESSAGE, ASK (answered No), REASON,
// CONNECTED and DISCONNECTED as monitor does; FRAME and BLOCK are not.
// Stops after --count N VALUES/WORD lines, after --seconds S, or on SIGINT
// or SIGTERM. Exit 0; 1 when the port does not open; 2 on a usage error.

namespace quelda {

// argv[0] is "watch".
int RunWatch(int argc, char** argv);

}  // namespace quelda
