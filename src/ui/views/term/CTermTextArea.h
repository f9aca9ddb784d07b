#pragma once
// The scrolling surface of the terminal: it only scrolls vertically, in
// pixels, and leaves painting and sizing to its view.
#include <QAbstractScrollArea>

class CTERMView;

class CTermTextArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    CTermTextArea(CTERMView& view, QWidget* parent);

    // The page step of a click into the scroll bar's trough, in pixels.
    void SetTroughStep(int pixels) { m_nTroughStep = pixels; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnScrollAction(int action);

    CTERMView& m_view;
    int m_nTroughStep = 0;
};
