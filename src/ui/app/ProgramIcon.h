#pragma once
#include <QIcon>
#include <QPixmap>

// The program's icon: a "Q" on a rounded tile in the terminal's colours.
QIcon ProgramIcon();
// One size of it, drawn afresh (the installed PNG icons are these).
QPixmap ProgramIconPixmap(int size);
