#pragma once
// A push button of a dialog bar: as wide as its caption and a small margin,
// so twenty of them fit in a row as they did on the bar's template.
#include <QToolButton>

class CBarButton : public QToolButton {
    Q_OBJECT
public:
    CBarButton(const QString& caption, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The narrow ">" button that edits a command record.
    static CBarButton* MakeEditButton(QWidget* parent);
};
