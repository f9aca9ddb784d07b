#pragma once
// The terminal view: the traffic as coloured lines, newest at the bottom.
// Lines arrive through AddLine/ReplaceLast; the refresh they ask for runs at
// once after a quiet spell and at most kMaxRefreshesPerSecond times a second
// in a flood, and sets the scroll range once per refresh. The user can
// select, copy, find, show arrival times, keep a time-stamped log and
// scroll back while lines keep coming.
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CQueldaView.h"
#include "term/CTermLineList.h"
#include "term/CTermSelection.h"
#include "term/CTermStampLog.h"
#include "term/DisplayText.h"

class CTermFindBar;
class CTermTextArea;
class QAction;
class QPainter;
class QPrinter;
class QTimer;
class QToolButton;

class CTERMView : public CQueldaView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 300;
    static constexpr int kInitialLineHeight = 16;
    static constexpr int kMaxRefreshesPerSecond = 30;

    explicit CTERMView(IViewContext& context, QWidget* parent = nullptr);
    ~CTERMView() override;

    quelda::WindowKind Kind() const override { return quelda::WindowKind::Term; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint, const uint8_t* data, std::size_t length) override;

    void AddLine(const std::string& text, int kind);
    void ReplaceLast(const std::string& text, int kind);
    // The binary block of the frame just added, shown after its text.
    void AttachBlock(const std::string& frameText, const uint8_t* block, std::size_t count);

    static QColor ColorOf(int kind);
    static QColor TimeColor() { return QColor(128, 128, 128); }
    const quelda::CTermLineList& Lines() const { return m_lines; }
    const quelda::CTermSelection& Selection() const { return m_selection; }
    int LineHeight() const { return m_nLineHeight; }
    const QFont& Font() const { return m_font; }
    bool IsChanged() const { return m_bChanged != 0; }
    bool Following() const { return m_bFollow; }
    CTermTextArea* TextArea() const { return m_pArea; }
    CTermFindBar* FindBar() const { return m_pFindBar; }
    QToolButton* NewLinesMark() const { return m_pNewLinesMark; }
    const QString& StampLogFile() const { return m_strStampLogFile; }
    // The context menu's commands, by their text ("Copy", "Show time", ...).
    QAction* MenuAction(const QString& text) const;

    // Draws the rows that fall in [y0, y0 + height] of a window clientWidth
    // wide: the screen and the printer use the same routine.
    void Draw(QPainter& painter, int clientWidth, long long y0, int clientHeight);
    // Recounts the rows for the current width and sets the scroll range.
    void UpdateScrollSizes();
    // Called by the text area after every paint: (re)starts the refresh timer.
    void OnPainted();

    // What the text area forwards, in viewport pixels.
    void OnMousePress(const QPoint& at, int clicks, bool extend);
    void OnMouseDrag(const QPoint& at);
    void OnMouseRelease();
    void ShowContextMenu(const QPoint& globalPos);

public slots:
    // Scroll sizes, the view at the bottom when following, repaint.
    void Refresh();
    void Print();
    void PrintDirect();
    void PrintPreview();
    // Draws what the window shows onto the printer, at the screen's size.
    bool PrintTo(QPrinter& printer);
    void Copy();
    void CopyAsHex();
    void SelectAll();
    void OpenFind();
    void FindNext() { Find(true); }
    void FindPrevious() { Find(false); }
    void SetShowTime(bool on);
    void SetShowBlocks(bool on);
    void SetStampLog(bool on);
    void SaveAs();
    // Back to the newest line, following new ones again.
    void ResumeFollowing();

private:
    void CreateActions();
    void MarkChanged();
    void RunPendingRefresh();
    void OnRefreshTimer();
    void SetLineHeight(int lh);
    int TextLeft() const;
    int CharsPerRowFor(int clientWidth) const;
    quelda::TermPos PositionAt(const QPoint& at) const;
    void DrawLinePieces(QPainter& painter, const quelda::RowPiece* first, std::size_t count,
                        long long y0);
    void DrawSelection(QPainter& painter, const quelda::RowPiece& piece, const std::string& shown,
                       quelda::TextEncoding encoding, std::size_t from, std::size_t to,
                       long long top);
    void Find(bool forward);
    void ScrollIntoView(const quelda::TermPos& pos);
    void OnScrolled(int value);
    void KeepViewAnchored();
    void PlaceNewLinesMark();
    void SetClipboardSelection();

    CTermTextArea* m_pArea = nullptr;
    CTermFindBar* m_pFindBar = nullptr;
    QToolButton* m_pNewLinesMark = nullptr;
    quelda::CTermLineList m_lines;
    quelda::CTermSelection m_selection;
    quelda::CTermStampLog m_stampLog;
    QString m_strStampLogFile;
    quelda::CDisplayDecoder m_decoder;
    QFont m_font;
    int m_nLineHeight = kInitialLineHeight;
    int m_nBaseline = kInitialLineHeight;
    double m_dCellWidth = kInitialLineHeight / 2.0;  // the font's half-width advance
    bool m_bShowTime = false;
    QTimer* m_pRefreshTimer = nullptr;  // timer 1
    QTimer* m_pThrottle = nullptr;      // the next refresh of a flood
    QElapsedTimer m_sinceRefresh;
    int m_bChanged = 0;
    bool m_bRefreshPending = false;
    // Following keeps the newest line at the bottom; scrolled back, the view
    // stays on its text, held by the top row's line serial and row.
    bool m_bFollow = true;
    bool m_bSettingScroll = false;
    bool m_bNewBelow = false;  // lines came since following stopped
    quelda::TermPos m_anchor;
    int m_anchorPixel = 0;
    std::vector<QAction*> m_menuActions;
};
