#pragma once
#include <QIcon>

// The program's icon: a "Q" on a rounded tile in the terminal's colours.
QIcon ProgramIcon();
