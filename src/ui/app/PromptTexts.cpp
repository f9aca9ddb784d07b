#include "app/PromptTexts.h"

#include <QAction>
#include <QWidget>
#include <utility>

#include "app/CommandIds.h"

namespace {

const std::pair<int, const char*> kPrompts[] = {
    {cmd::kCommandLine, "Input CommandLine \n Input CommandLine"},
    {cmd::kMonitorSaveBox, "Save the communication log \n Save the communication log"},
    {cmd::kLogName, "LogFileName \n LogFileName"},
    {cmd::kSendCommandLine, "send commandline \n send commandline"},
    {cmd::kViewTerminal, "Terminal Display \n Terminal"},
    {cmd::kViewMonitor1, "Monitor 1 Display \n monitor 1"},
    {cmd::kViewMonitor2, "Monitor 2 Display \n monitor 2"},
    {cmd::kViewMonitor3, "Monitor 3 Display \n monitor 3"},
    {cmd::kViewStatus, "Status display \n status"},
    {cmd::kViewEeprom, "EEPROM edit display \n EEPROM edit"},
    {cmd::kComRequest, "Communication setting request \n communication setting request"},
    {cmd::kSaveCommLog, "Communication log save \n save communication log"},
};

}  // namespace

PromptText SplitPrompt(const QString& prompt) {
    const qsizetype cut = prompt.indexOf(QLatin1Char('\n'));
    if (cut < 0) return {prompt.trimmed(), QString()};
    return {prompt.left(cut).trimmed(), prompt.mid(cut + 1).trimmed()};
}

PromptText PromptFor(int id) {
    for (const auto& [promptId, text] : kPrompts) {
        if (promptId == id) return SplitPrompt(QString::fromUtf8(text));
    }
    return {};
}

void ApplyPrompt(QWidget* widget, int id) {
    const PromptText prompt = PromptFor(id);
    widget->setStatusTip(prompt.statusTip);
    widget->setToolTip(prompt.toolTip);
}

void ApplyPrompt(QAction* action, int id) {
    const PromptText prompt = PromptFor(id);
    action->setStatusTip(prompt.statusTip);
    action->setToolTip(prompt.toolTip);
}
