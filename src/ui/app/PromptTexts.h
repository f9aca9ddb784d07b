#pragma once
// The prompt of a command or control: the part before "\n" is the status-bar
// text, the part after it the tooltip.
#include <QString>

class QAction;
class QWidget;

struct PromptText {
    QString statusTip;
    QString toolTip;
};

// Splits a prompt string and trims the blanks around both parts.
PromptText SplitPrompt(const QString& prompt);
// The prompt of an id; empty parts for ids without one.
PromptText PromptFor(int id);
// Sets the status tip and tooltip of a control or action from its id.
void ApplyPrompt(QWidget* widget, int id);
void ApplyPrompt(QAction* action, int id);
