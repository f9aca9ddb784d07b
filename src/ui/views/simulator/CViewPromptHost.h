#pragma once
// The prompts of a window's core object, shown through the view context on
// the next turn of the event loop: a core object may raise one while the
// window is still being built, and the box belongs after the window.
#include <QObject>

#include "routing/MainHost.h"

class IViewContext;

class CViewPromptHost : public QObject, public quelda::IPromptHost {
    Q_OBJECT
public:
    CViewPromptHost(IViewContext& context, QObject* parent);

    void ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) override;

private:
    IViewContext& m_context;
};
