#include "app/QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(IUserPrompt::Icon icon) {
    switch (icon) {
        case IUserPrompt::Icon::Warning:
            return QMessageBox::Warning;
        case IUserPrompt::Icon::Error:
            return QMessageBox::Critical;
        default:
            return QMessageBox::Information;
    }
}

QMessageBox::StandardButtons BoxButtons(IUserPrompt::Buttons buttons) {
    if (buttons == IUserPrompt::Buttons::YesNo) return QMessageBox::Yes | QMessageBox::No;
    return QMessageBox::Ok | QMessageBox::Cancel;
}

bool IsYes(int button) { return button == QMessageBox::Yes || button == QMessageBox::Ok; }

}  // namespace

QString QtUserPrompt::CaptionOr(const QString& caption) const {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

void QtUserPrompt::Message(const QString& text, const QString& caption, Icon icon) {
    auto* box = new QMessageBox(BoxIcon(icon), CaptionOr(caption), text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void QtUserPrompt::AskAsync(const QString& text, Buttons buttons, std::function<void(bool)> answer,
                            const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::Question, CaptionOr(caption), text,
                                BoxButtons(buttons), m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, answer = std::move(answer)] {
        if (answer) answer(IsYes(box->standardButton(box->clickedButton())));
    });
    box->open();
}

bool QtUserPrompt::Ask(const QString& text, Buttons buttons, const QString& caption) {
    QMessageBox box(QMessageBox::Question, CaptionOr(caption), text, BoxButtons(buttons), m_parent);
    return IsYes(box.exec());
}

QString QtUserPrompt::GetOpenFileName(const QString& title, const QString& initial,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(m_parent, title, initial, filter);
}

QString QtUserPrompt::GetSaveFileName(const QString& title, const QString& initial,
                                      const QString& filter) {
    return QFileDialog::getSaveFileName(m_parent, title, initial, filter);
}
