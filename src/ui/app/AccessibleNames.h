#pragma once
// Screen readers name a control by its caption, else by its tooltip.
class QWidget;

// Names every button, box and edit below root (root included) that has no
// name yet, and renames buttons whose caption changed since.
void NameControls(QWidget* root);
