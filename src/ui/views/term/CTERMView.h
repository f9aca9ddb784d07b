#pragma once
// The terminal view: the traffic as coloured lines, newest at the bottom.
// Lines arrive through AddLine/ReplaceLast; the repaint they ask for is
// coalesced, so a flood of frames costs one paint per turn of the event loop.
#include <QColor>
#include <QFont>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/CQueldaView.h"
#include "term/CTermLineList.h"
#include "term/DisplayText.h"

class CTermTextArea;
class QPainter;
class QPrinter;
class QTimer;

class CTERMView : public CQueldaView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 300;
    static constexpr int kInitialLineHeight = 16;

    explicit CTERMView(IViewContext& context, QWidget* parent = nullptr);
    ~CTERMView() override;

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Term; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;

    void AddLine(const std::string& text, int kind);
    void ReplaceLast(const std::string& text, int kind);

    static QColor ColorOf(int kind);
    const quelda::CTermLineList& Lines() const { return m_lines; }
    int LineHeight() const { return m_nLineHeight; }
    const QFont& Font() const { return m_font; }
    bool IsChanged() const { return m_bChanged != 0; }
    CTermTextArea* TextArea() const { return m_pArea; }

    // Draws the rows that fall in [y0, y0 + height] of a window clientWidth
    // wide: the screen and the printer use the same routine.
    void Draw(QPainter& painter, int clientWidth, long long y0, int clientHeight);
    // Recounts the rows for the current width and sets the scroll range.
    void UpdateScrollSizes();
    // Called by the text area after every paint: (re)starts the refresh timer.
    void OnPainted();

public slots:
    // Scroll sizes, last row to the bottom, repaint.
    void Refresh();
    void Print();
    void PrintDirect();
    void PrintPreview();
    // Draws what the window shows onto the printer, at the screen's size.
    bool PrintTo(QPrinter& printer);

private:
    void MarkChanged();
    void RunPendingRefresh();
    void OnRefreshTimer();
    void SetLineHeight(int lh);
    void DrawLinePieces(QPainter& painter, const quelda::RowPiece* first, std::size_t count,
                        long long y0);

    CTermTextArea* m_pArea = nullptr;
    quelda::CTermLineList m_lines;
    quelda::CDisplayDecoder m_decoder;
    QFont m_font;
    int m_nLineHeight = kInitialLineHeight;
    int m_nBaseline = kInitialLineHeight;
    QTimer* m_pRefreshTimer = nullptr;  // timer 1
    int m_bChanged = 0;
    bool m_bRefreshPending = false;
};
