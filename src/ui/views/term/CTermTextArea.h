#pragma once
// The scrolling surface of the terminal: it only scrolls vertically, in
// pixels, and leaves painting, sizing and the meaning of clicks to its view.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPoint>

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnScrollAction(int action);

    CTERMView& m_view;
    int m_nTroughStep = 0;
    bool m_bDragging = false;
    // A press soon after a double click, near it, is a triple click.
    QElapsedTimer m_sinceDoubleClick;
    QPoint m_doubleClickAt;
};
