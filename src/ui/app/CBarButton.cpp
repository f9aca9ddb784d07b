#include "app/CBarButton.h"

namespace {

constexpr int kMargin = 10;  // both sides together, frame included

}  // namespace

CBarButton::CBarButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAutoRaise(false);
    setFocusPolicy(Qt::TabFocus);
}

QSize CBarButton::sizeHint() const {
    const QSize base = QToolButton::sizeHint();
    return QSize(fontMetrics().horizontalAdvance(text()) + kMargin, base.height());
}

CBarButton* CBarButton::MakeEditButton(QWidget* parent) {
    return new CBarButton(QStringLiteral(">"), parent);
}
