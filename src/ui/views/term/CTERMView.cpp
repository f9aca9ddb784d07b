#include "views/term/CTERMView.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "app/UiFont.h"
#include "app/ViewContext.h"
#include "term/TermGeometry.h"
#include "term/TermText.h"
#include "views/term/CTermFindBar.h"
#include "views/term/CTermTextArea.h"

using quelda::RowPiece;

CTERMView::CTERMView(IViewContext& context, QWidget* parent) : CQueldaView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pArea = new CTermTextArea(*this, this);
    // A click gives the terminal the keys for copy, select all and End; the
    // command line has them otherwise.
    m_pArea->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_pArea);
    m_pFindBar = new CTermFindBar(this);
    m_pFindBar->hide();
    layout->addWidget(m_pFindBar);
    connect(m_pFindBar, &CTermFindBar::FindRequested, this, &CTERMView::Find);
    m_pNewLinesMark = new QToolButton(m_pArea->viewport());
    m_pNewLinesMark->setText(QStringLiteral("new lines below"));
    m_pNewLinesMark->setToolTip(QStringLiteral("Scroll to the newest line and follow again"));
    m_pNewLinesMark->setFocusPolicy(Qt::NoFocus);
    m_pNewLinesMark->hide();
    connect(m_pNewLinesMark, &QToolButton::clicked, this, &CTERMView::ResumeFollowing);
    connect(m_pArea->verticalScrollBar(), &QScrollBar::valueChanged, this, &CTERMView::OnScrolled);

    m_pRefreshTimer = new QTimer(this);
    connect(m_pRefreshTimer, &QTimer::timeout, this, &CTERMView::OnRefreshTimer);
    m_pThrottle = new QTimer(this);
    m_pThrottle->setSingleShot(true);
    connect(m_pThrottle, &QTimer::timeout, this, &CTERMView::RunPendingRefresh);
    m_font = ::DisplayFont(quelda::WindowSettings().FONT_POINT);
    SetLineHeight(kInitialLineHeight);
    m_lines.SetCompleteSink([this](const quelda::TermLine& line) { m_stampLog.Add(line); });
    CreateActions();
}

CTERMView::~CTERMView() {
    m_lines.FlushAll();
    m_stampLog.Flush();
}

void CTERMView::OnInitialUpdate() {
    PlaceFrame(QStringLiteral("Terminal"));
    const int dpi = logicalDpiY();
    const int fontPoint = WindowSection().FONT_POINT;
    SetLineHeight(quelda::LineHeightFor(fontPoint, dpi));
    UpdateScrollSizes();
}

void CTERMView::SetLineHeight(int lh) {
    m_nLineHeight = std::max(lh, quelda::kMinLineHeight);
    // One em per line: a fixed-pitch face is then half a line wide per character.
    m_font.setPixelSize(m_nLineHeight);
    // The baseline sits as low as "$" and a kanji need to keep their tops
    // inside the row (a font's own ascent counts its wide line spacing too),
    // with a pixel left below it for the kanji; descenders of Latin letters
    // may reach into the row below.
    const QFontMetrics metrics(m_font);
    const int inkAbove = -metrics.tightBoundingRect(QStringLiteral("$日")).top();
    m_nBaseline = std::clamp(inkAbove, 1, std::max(m_nLineHeight - 1, 1));
    const double advance = QFontMetricsF(m_font).horizontalAdvance(QLatin1Char('0'));
    m_dCellWidth = advance > 0 ? advance : m_nLineHeight / 2.0;
}

void CTERMView::OnUpdate(int hint, const uint8_t* /*data*/, std::size_t /*length*/) {
    if (hint == quelda::hintNone) m_pArea->viewport()->update();
}

QColor CTERMView::ColorOf(int kind) {
    switch (kind) {
        case quelda::kLineSent:
            return QColor(0, 80, 0);
        case quelda::kLineReceived:
            return QColor(0, 0, 100);
        case quelda::kLineError:
            return QColor(200, 0, 0);
        default:
            return QColor(0, 0, 0);
    }
}

void CTERMView::AddLine(const std::string& text, int kind) {
    m_lines.AddLine(text, kind);
    MarkChanged();
}

void CTERMView::ReplaceLast(const std::string& text, int kind) {
    m_lines.ReplaceLast(text, kind);
    MarkChanged();
}

void CTERMView::AttachBlock(const std::string& frameText, const uint8_t* block, std::size_t count) {
    if (count == 0) return;
    m_lines.AttachBlock(frameText, std::string(reinterpret_cast<const char*>(block), count));
    MarkChanged();
}

// The first line after a quiet spell is refreshed at the next turn of the
// event loop; in a flood, refreshes keep kMaxRefreshesPerSecond apart.
void CTERMView::MarkChanged() {
    m_bChanged = 1;
    if (!m_bFollow) m_bNewBelow = true;
    if (m_bRefreshPending) return;
    m_bRefreshPending = true;
    const qint64 gap = 1000 / kMaxRefreshesPerSecond + 1;
    const qint64 wait = m_sinceRefresh.isValid() ? gap - m_sinceRefresh.elapsed() : 0;
    m_pThrottle->start(static_cast<int>(std::clamp<qint64>(wait, 0, gap)));
}

void CTERMView::RunPendingRefresh() {
    m_bRefreshPending = false;
    Refresh();
}

void CTERMView::OnRefreshTimer() {
    if (!m_bChanged) return;
    Refresh();
    m_bChanged = 0;
}

void CTERMView::OnPainted() { m_pRefreshTimer->start(kRefreshMs); }

int CTERMView::TextLeft() const {
    return m_bShowTime ? static_cast<int>(std::ceil(quelda::kTimeMarginCells * m_dCellWidth)) : 0;
}

int CTERMView::CharsPerRowFor(int clientWidth) const {
    return quelda::CharsPerRow(clientWidth - TextLeft(), m_nLineHeight);
}

void CTERMView::UpdateScrollSizes() {
    QWidget* viewport = m_pArea->viewport();
    const int w = viewport->width();
    const int h = viewport->height();
    m_lines.SetCharsPerRow(CharsPerRowFor(w));
    const quelda::ScrollSizes sizes =
        quelda::ComputeScrollSizes(w - TextLeft(), h, m_nLineHeight, m_lines.HeightRows());
    QScrollBar* bar = m_pArea->verticalScrollBar();
    const long long maximum = quelda::BottomScrollPosition(sizes.totalHeight, h);
    const bool setting = m_bSettingScroll;
    m_bSettingScroll = true;
    bar->setRange(0, static_cast<int>(std::min<long long>(maximum, INT_MAX)));
    bar->setPageStep(std::max(h, 1));
    bar->setSingleStep(sizes.lineY);
    m_bSettingScroll = setting;
    m_pArea->SetTroughStep(sizes.pageY);
    PlaceNewLinesMark();
}

void CTERMView::Refresh() {
    m_sinceRefresh.restart();
    m_selection.Clip(m_lines);
    m_lines.FlushComplete();
    m_stampLog.Flush();
    m_bSettingScroll = true;
    UpdateScrollSizes();
    QScrollBar* bar = m_pArea->verticalScrollBar();
    if (m_bFollow) {
        bar->setValue(bar->maximum());
    } else {
        KeepViewAnchored();
    }
    m_bSettingScroll = false;
    m_pNewLinesMark->setVisible(!m_bFollow && m_bNewBelow);
    m_pArea->viewport()->update();
}

// ---- following and scrolling back ------------------------------------------------

void CTERMView::OnScrolled(int value) {
    if (m_bSettingScroll) return;
    QScrollBar* bar = m_pArea->verticalScrollBar();
    m_bFollow = value >= bar->maximum();
    if (m_bFollow) {
        m_bNewBelow = false;
        m_pNewLinesMark->hide();
    }
    const long long row = value / m_nLineHeight;
    m_anchor = m_lines.PositionAt(row, 0);
    long long anchorRow = row;
    int cell = 0;
    if (m_lines.RowAndCellOf(m_anchor, anchorRow, cell)) {
        m_anchorPixel = static_cast<int>(value - anchorRow * m_nLineHeight);
    } else {
        m_anchorPixel = 0;
    }
}

void CTERMView::KeepViewAnchored() {
    QScrollBar* bar = m_pArea->verticalScrollBar();
    long long row = 0;
    int cell = 0;
    // The line at the top dropped out: the view starts at what is left.
    if (!m_lines.RowAndCellOf(m_anchor, row, cell)) {
        bar->setValue(0);
        m_anchor = m_lines.PositionAt(0, 0);
        m_anchorPixel = 0;
        return;
    }
    const long long y = row * m_nLineHeight + m_anchorPixel;
    bar->setValue(static_cast<int>(std::clamp<long long>(y, 0, bar->maximum())));
}

void CTERMView::ResumeFollowing() {
    m_bFollow = true;
    m_bNewBelow = false;
    m_pNewLinesMark->hide();
    Refresh();
}

void CTERMView::PlaceNewLinesMark() {
    QWidget* viewport = m_pArea->viewport();
    const QSize size = m_pNewLinesMark->sizeHint();
    m_pNewLinesMark->setGeometry(viewport->width() - size.width() - 4,
                                 viewport->height() - size.height() - 4, size.width(),
                                 size.height());
}

void CTERMView::ScrollIntoView(const quelda::TermPos& pos) {
    long long row = 0;
    int cell = 0;
    if (!m_lines.RowAndCellOf(pos, row, cell)) return;
    QScrollBar* bar = m_pArea->verticalScrollBar();
    const int h = m_pArea->viewport()->height();
    const long long top = row * m_nLineHeight;
    if (top >= bar->value() && top + m_nLineHeight <= bar->value() + h) return;
    const long long target = top - h / 2 + m_nLineHeight / 2;
    bar->setValue(static_cast<int>(std::clamp<long long>(target, 0, bar->maximum())));
}

// ---- drawing ----------------------------------------------------------------------------

void CTERMView::Draw(QPainter& painter, int clientWidth, long long y0, int clientHeight) {
    painter.save();
    painter.setFont(m_font);
    if (CharsPerRowFor(clientWidth) == m_lines.CharsPerRow()) {
        const std::vector<RowPiece> pieces = m_lines.VisiblePieces(m_nLineHeight, y0, clientHeight);
        // Pieces come grouped by line; each line is decoded once.
        for (std::size_t begin = 0; begin < pieces.size();) {
            std::size_t end = begin + 1;
            while (end < pieces.size() && pieces[end].line == pieces[begin].line) ++end;
            DrawLinePieces(painter, &pieces[begin], end - begin, y0);
            begin = end;
        }
    }
    painter.restore();
}

void CTERMView::DrawLinePieces(QPainter& painter, const RowPiece* first, std::size_t count,
                               long long y0) {
    const std::size_t index = first->line;
    const std::string shown = m_lines.Shown(index);
    const quelda::TextEncoding encoding = quelda::DetectEncoding(shown);
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < count; ++i) cuts.push_back(first[i].offset);
    cuts.push_back(first[count - 1].offset + first[count - 1].length);
    const std::vector<std::size_t> at = quelda::AlignCuts(shown, encoding, cuts);
    std::size_t selFrom = 0, selTo = 0;
    const bool selected = m_selection.RangeIn(m_lines, index, selFrom, selTo);
    const int left = TextLeft();
    for (std::size_t i = 0; i < count; ++i) {
        const long long top = first[i].row * m_nLineHeight - y0;
        if (selected)
            DrawSelection(painter, first[i], shown, encoding, std::max(selFrom, at[i]),
                          std::min(selTo, at[i + 1]), top);
        if (m_bShowTime && first[i].offset == 0) {
            painter.setPen(TimeColor());
            painter.drawText(
                QPointF(0, static_cast<double>(top + m_nBaseline)),
                QString::fromStdString(quelda::FormatClock(m_lines.Line(index).timeMs)));
        }
        const std::string bytes = shown.substr(at[i], at[i + 1] - at[i]);
        const std::string utf8 = m_decoder.ToUtf8(bytes, encoding);
        painter.setPen(ColorOf(m_lines.Line(index).kind));
        painter.drawText(QPointF(left, static_cast<double>(top + m_nBaseline)),
                         QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
}

// The selected part of one row, behind its text: [from, to) of the shown text.
void CTERMView::DrawSelection(QPainter& painter, const RowPiece& piece, const std::string& shown,
                              quelda::TextEncoding encoding, std::size_t from, std::size_t to,
                              long long top) {
    if (from >= to) return;
    std::size_t rowStart = quelda::AlignCuts(shown, encoding, {piece.offset})[0];
    const double x0 =
        TextLeft() + quelda::CellsBetween(shown, encoding, rowStart, from) * m_dCellWidth;
    const double width = quelda::CellsBetween(shown, encoding, from, to) * m_dCellWidth;
    painter.fillRect(QRectF(x0, static_cast<double>(top), width, m_nLineHeight),
                     QColor(180, 215, 255));
}

bool CTERMView::PrintTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double scale = static_cast<double>(printer.logicalDpiY()) / std::max(logicalDpiY(), 1);
    painter.scale(scale, scale);
    QWidget* viewport = m_pArea->viewport();
    Draw(painter, viewport->width(), m_pArea->verticalScrollBar()->value(), viewport->height());
    return painter.end();
}

void CTERMView::Print() {
    QPrintDialog dialog(&Context().Printer(), this);
    if (dialog.exec() == QDialog::Accepted) PrintDirect();
}

void CTERMView::PrintDirect() {
    if (!PrintTo(Context().Printer())) {
        Context().Prompt(QStringLiteral("Printing failed"), IViewContext::Buttons::Ok,
                         IViewContext::PromptKind::Warning);
    }
}

void CTERMView::PrintPreview() {
    QPrintPreviewDialog preview(&Context().Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    preview.exec();
}
