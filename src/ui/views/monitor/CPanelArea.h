#pragma once
// The scrolling surface of a monitor or status panel: it scrolls in
// pixels over the panel's size and leaves the painting to its view, which
// paints only the exposed rectangle (in panel coordinates).
#include <QAbstractScrollArea>
#include <algorithm>

class CPanelView;

class CPanelArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    CPanelArea(CPanelView& view, QWidget* parent);

    // The size of everything the panel draws: the scroll range.
    void SetPanelSize(const QSize& size);
    QSize PanelSize() const { return m_panelSize; }
    // Three rows per notch of the wheel (the line step is one pixel).
    void SetRowHeight(int pixels) { m_nRowHeight = std::max(pixels, 1); }
    // The panel point at the viewport's top left corner.
    QPoint ScrollOffset() const;
    // A rectangle of the panel in the viewport's coordinates.
    QRect PanelToViewport(const QRect& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateScrollBars();

    CPanelView& m_view;
    QSize m_panelSize;
    int m_nRowHeight = 1;
    QPoint m_wheelRest;  // eighths of a degree not yet scrolled
};
