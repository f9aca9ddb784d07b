#pragma once
// quelda-cli bin2csv: converts monitor 3's binary log into CSV text.
//
//   bin2csv --bin FILE --def FILE --out FILE [--rate N]
//           [--bin-length-format 0|1] [--dir DIR]
//
// Prints each message of the converter as "MESSAGE <text>" and, when
// standard error is a terminal, the progress there. Exits 0 when the
// conversion completed, 1 when it stopped on a message, 2 on a usage error.

namespace quelda {

// argv[0] is "bin2csv".
int RunBin2Csv(int argc, char** argv);

}  // namespace quelda
