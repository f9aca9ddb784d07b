#pragma once
// Message boxes, questions and file dialogs go through this interface so that
// tests can answer them. The Qt implementation shows real dialogs.
#include <QString>
#include <functional>

class IUserPrompt {
public:
    enum class Icon { Information, Warning, Error };
    enum class Buttons { YesNo, OkCancel };

    virtual ~IUserPrompt() = default;
    // Modal OK box. Safe to call from inside frame dispatch: the Qt
    // implementation must not re-enter the receive path while it is shown.
    virtual void Message(const QString& text, const QString& caption = QString(),
                         Icon icon = Icon::Information) = 0;
    // Asynchronous question: answer(true) for Yes/OK. Used from frame dispatch.
    virtual void AskAsync(const QString& text, Buttons buttons, std::function<void(bool)> answer,
                          const QString& caption = QString()) = 0;
    // Synchronous question, for handlers of the user's own actions only.
    virtual bool Ask(const QString& text, Buttons buttons, const QString& caption = QString()) = 0;
    // File dialogs; empty string when cancelled.
    virtual QString GetOpenFileName(const QString& title, const QString& initial,
                                    const QString& filter) = 0;
    virtual QString GetSaveFileName(const QString& title, const QString& initial,
                                    const QString& filter) = 0;
};
