#include "views/term/CTERMView.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <vector>

#include "app/UiFont.h"
#include "app/ViewContext.h"
#include "term/TermGeometry.h"
#include "views/term/CTermTextArea.h"

using quelda::RowPiece;

CTERMView::CTERMView(IViewContext& context, QWidget* parent) : CQueldaView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pArea = new CTermTextArea(*this, this);
    m_pArea->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_pArea);
    m_pRefreshTimer = new QTimer(this);
    connect(m_pRefreshTimer, &QTimer::timeout, this, &CTERMView::OnRefreshTimer);
    m_font = ::DisplayFont(quelda::WindowSettings().FONT_POINT);
    SetLineHeight(kInitialLineHeight);
}

CTERMView::~CTERMView() = default;

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

// One refresh per turn of the event loop, however many lines arrived.
void CTERMView::MarkChanged() {
    m_bChanged = 1;
    if (m_bRefreshPending) return;
    m_bRefreshPending = true;
    QMetaObject::invokeMethod(this, &CTERMView::RunPendingRefresh, Qt::QueuedConnection);
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

void CTERMView::UpdateScrollSizes() {
    QWidget* viewport = m_pArea->viewport();
    const int w = viewport->width();
    const int h = viewport->height();
    m_lines.SetCharsPerRow(quelda::CharsPerRow(w, m_nLineHeight));
    const quelda::ScrollSizes sizes =
        quelda::ComputeScrollSizes(w, h, m_nLineHeight, m_lines.HeightRows());
    QScrollBar* bar = m_pArea->verticalScrollBar();
    const long long maximum = quelda::BottomScrollPosition(sizes.totalHeight, h);
    bar->setRange(0, static_cast<int>(std::min<long long>(maximum, INT_MAX)));
    bar->setPageStep(std::max(h, 1));
    bar->setSingleStep(sizes.lineY);
    m_pArea->SetTroughStep(sizes.pageY);
}

void CTERMView::Refresh() {
    UpdateScrollSizes();
    QScrollBar* bar = m_pArea->verticalScrollBar();
    bar->setValue(bar->maximum());
    m_pArea->viewport()->update();
}

void CTERMView::Draw(QPainter& painter, int clientWidth, long long y0, int clientHeight) {
    painter.save();
    painter.setFont(m_font);
    if (quelda::CharsPerRow(clientWidth, m_nLineHeight) == m_lines.CharsPerRow()) {
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
    const quelda::TermLine& line = m_lines.Line(first->line);
    const quelda::TextEncoding encoding = quelda::DetectEncoding(line.text);
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < count; ++i) cuts.push_back(first[i].offset);
    cuts.push_back(first[count - 1].offset + first[count - 1].length);
    const std::vector<std::size_t> at = quelda::AlignCuts(line.text, encoding, cuts);
    painter.setPen(ColorOf(line.kind));
    for (std::size_t i = 0; i < count; ++i) {
        const std::string bytes = line.text.substr(at[i], at[i + 1] - at[i]);
        const std::string utf8 = m_decoder.ToUtf8(bytes, encoding);
        const long long top = first[i].row * m_nLineHeight - y0;
        painter.drawText(QPointF(0, static_cast<double>(top + m_nBaseline)),
                         QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
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
