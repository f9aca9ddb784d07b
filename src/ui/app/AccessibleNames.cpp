#include "app/AccessibleNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace {

// Marks names this module gave, so a later call may refresh them when the
// caption changes while names set by hand stay.
constexpr const char* kGivenName = "queldaGivenName";

QString CaptionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return QString();
}

bool IsControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QLineEdit*>(widget) || qobject_cast<QLabel*>(widget);
}

void NameControl(QWidget* widget) {
    const bool given = widget->property(kGivenName).toBool();
    if (!widget->accessibleName().isEmpty() && !given) return;
    QString name = CaptionOf(widget);
    name.remove(QLatin1Char('&'));
    if (name.trimmed().isEmpty()) name = widget->toolTip();
    if (name.isEmpty()) return;
    widget->setAccessibleName(name);
    widget->setProperty(kGivenName, true);
}

}  // namespace

void NameControls(QWidget* root) {
    if (IsControl(root)) NameControl(root);
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (IsControl(child)) NameControl(child);
    }
}
