#pragma once
// What every dialog bar shares: it docks only at the top or the bottom, does
// not float, and speaks in the form font.
class QToolBar;
class QString;

void SetUpDialogBar(QToolBar* bar, const QString& objectName);
