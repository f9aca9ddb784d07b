#pragma once
// Message boxes and questions as real dialogs. Messages and asynchronous
// questions never block: they open window-modal and return at once, so the
// receive path is not re-entered from inside a frame handler.
#include <QPointer>
#include <QWidget>

#include "app/UserPrompt.h"

class QtUserPrompt : public IUserPrompt {
public:
    explicit QtUserPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(const QString& text, const QString& caption, Icon icon) override;
    void AskAsync(const QString& text, Buttons buttons, std::function<void(bool)> answer,
                  const QString& caption) override;
    bool Ask(const QString& text, Buttons buttons, const QString& caption) override;
    QString GetOpenFileName(const QString& title, const QString& initial,
                            const QString& filter) override;
    QString GetSaveFileName(const QString& title, const QString& initial,
                            const QString& filter) override;

private:
    QString CaptionOr(const QString& caption) const;

    QPointer<QWidget> m_parent;
};
