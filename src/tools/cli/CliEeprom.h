#pragma once
// quelda-cli eeprom: the EEPROM editor's transfer without its window. It
// backs the device's parameter memory up into a data file or restores it.
//
//   eeprom read|write [--dir DIR] [--port NAME] [--baud B] [--data D]
//          [--parity P] [--stop S] [--file FILE] [--out FILE] [--page N]
//          [--access byte|word]
//
// The page table is EEPROMTAB.TXT of the program directory; --file names
// the data file whose items (types, scales, formats) are transferred
// (default EEPROM.CSV there). --page N takes page-list line N (the window's
// tab N - 1) only, else all pages; --access replaces BYTE_WORD of section
// EEPROM. The start question is printed as ASK and taken as OK; boxes are
// MESSAGE lines; the line's events are those of monitor (CONNECTED, SENT,
// FRAME, ERROR, LINE, REFUSED, REASON).
//
// read saves the items to --out (default: the data file) only when the
// read completed, so a failed backup never replaces a good file. Exit 0
// when the transfer completed (and a read was saved), 1 otherwise, 2 on a
// usage error.

namespace quelda {

// argv[0] is "eeprom".
int RunEeprom(int argc, char** argv);

}  // namespace quelda
