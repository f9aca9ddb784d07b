#include "views/simulator/CViewPromptHost.h"

#include <QTimer>

#include "app/UiText.h"
#include "app/ViewContext.h"

CViewPromptHost::CViewPromptHost(IViewContext& context, QObject* parent)
    : QObject(parent), m_context(context) {}

void CViewPromptHost::ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) {
    // Queued on this object: a window closed meanwhile takes its box along.
    QTimer::singleShot(0, this, [this, prompt, answer = std::move(answer)] {
        const bool ok = m_context.Prompt(DecodeText(prompt.text), prompt.buttons, prompt.kind);
        if (answer) answer(ok);
    });
}
