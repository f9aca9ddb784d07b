#pragma once
// What the monitor and status views share: a panel drawn on a scrolling
// area in the window's font (FONT_POINT of its section, measured on "A"),
// laid out once per decode, painted only where exposed, refreshed by the
// view's own 500 ms timer, and read out item by item to screen readers
// (each drawn item is an accessible child of the view, CPanelAccessible).
#include <QFont>
#include <QRect>
#include <QString>
#include <cstddef>

#include "app/CQueldaView.h"

class CPanelArea;
class QPainter;
class QTimer;

// One drawn item as a screen reader hears it.
struct PanelEntry {
    QString name;
    QString value;
    QRect rect;  // in panel coordinates
};

class CPanelView : public CQueldaView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    CPanelView(IViewContext& context, QWidget* parent);
    ~CPanelView() override;

    CPanelArea* Area() const { return m_pArea; }
    QTimer* RefreshTimer() const { return m_pTimer; }
    const QFont& PanelFont() const { return m_font; }
    // The measured "A" of the panel font.
    int CharWidth() const { return m_nCx; }
    int CharHeight() const { return m_nCy; }

    // Paints, in panel coordinates, what meets exposed; the background is
    // filled already.
    void PaintPanel(QPainter& painter, const QRect& exposed);
    // How many items the last paint drew.
    std::size_t LastPainted() const { return m_nLastPainted; }

    // The drawn items for screen readers, in drawing order.
    virtual int EntryCount() const = 0;
    virtual PanelEntry Entry(int index) const = 0;
    // Its rectangle alone, without building its texts.
    virtual QRect EntryRect(int index) const = 0;
    // The entry under a panel point, or -1.
    int EntryAt(const QPoint& panelPoint) const;
    // Where a panel rectangle is on the screen, and what of the panel is in sight.
    QRect PanelToGlobal(const QRect& rect) const;
    QRect VisiblePanelRect() const;

    // A timer tick: decode what came, and lay out and repaint if anything did.
    void Refresh();
    // The context menu of entry (-1: none under the mouse) at global.
    virtual void ShowEntryMenu(int entry, const QPoint& global) {}

protected:
    // First show: the font of the section, the first layout, the timer;
    // the view is named after its window for screen readers.
    void StartPanel(const QString& title);
    // The arrows scroll a row or a character, the page keys a window, Home
    // and End to the top and the bottom: the view has the focus, not its area.
    void keyPressEvent(QKeyEvent* event) override;
    // The model's tick: true when it decoded.
    virtual bool TickModel() = 0;
    // Lays the panel out with the measured cx, cy; the panel's size.
    virtual QSize LayOutPanel(int cx, int cy) = 0;
    // Draws what meets exposed; how many items.
    virtual std::size_t Paint(QPainter& painter, const QRect& exposed) const = 0;
    // After a decode: lays out anew by default.
    virtual void OnDecoded() { Relayout(); }
    // Lays out anew and repaints; screen readers hear of the change.
    void Relayout();
    // Repaints what the layout holds (its texts changed, not its places).
    void Repaint();
    // Screen readers hear that shown texts changed.
    void NotifyChanged();

private:
    void TakeFont();

    CPanelArea* m_pArea = nullptr;
    QTimer* m_pTimer = nullptr;
    QFont m_font;
    int m_nCx = 1;
    int m_nCy = 1;
    std::size_t m_nLastPainted = 0;
};
