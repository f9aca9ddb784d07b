#include "views/monitor/PanelPainter.h"

#include <QPainter>

#include "app/UiText.h"

namespace paneldraw {

namespace {

constexpr int kTextFlags = Qt::AlignTop | Qt::TextSingleLine;

// A line of the frame as the platform's 3-D rectangle draws it: top and
// left one pixel short of the far corner, bottom and right full length.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight) {
    const int w = r.width();
    const int h = r.height();
    if (w <= 0 || h <= 0) return;
    painter.fillRect(r.left(), r.top(), w - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, h - 1, topLeft);
    painter.fillRect(r.left() + w - 1, r.top(), 1, h, bottomRight);
    painter.fillRect(r.left(), r.top() + h - 1, w, 1, bottomRight);
}

}  // namespace

QRect DrawSunkenFrame(QPainter& painter, const QRect& rect) {
    QRect r = rect;
    Draw3dRect(painter, r, QColor(64, 64, 64), Qt::white);
    r.adjust(1, 1, -1, -1);
    Draw3dRect(painter, r, Qt::black, kBackground);
    r.adjust(1, 1, -1, -1);
    return r;
}

void DrawText(QPainter& painter, const QRect& rect, const std::string& text,
              Qt::Alignment alignment) {
    if (text.empty() || rect.width() <= 0 || rect.height() <= 0) return;
    // drawText clips to the rectangle unless told otherwise; the clip is
    // set here as well so no glyph's overhang leaves the rectangle.
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(rect, kTextFlags | alignment, DecodeText(text));
    painter.restore();
}

void DrawBox(QPainter& painter, const QRect& rect, const QColor& fill, const std::string& text,
             Qt::Alignment alignment) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(rect, fill);
    const QRect inside = DrawSunkenFrame(painter, rect);
    DrawText(painter, inside, text, alignment);
}

void DrawCell(QPainter& painter, const quelda::PanelCell& cell) {
    DrawText(painter, ToQRect(cell.labelRect), cell.label, Qt::AlignLeft);
    DrawBox(painter, ToQRect(cell.cellRect), QColor(cell.r & 0xFF, cell.g & 0xFF, cell.b & 0xFF),
            cell.text, Qt::AlignHCenter);
}

QRect ItemBounds(const quelda::PanelItem& item) {
    QRect bounds = ToQRect(item.nameRect);
    if (item.hasValueBox) {
        bounds |= ToQRect(item.valueRect);
        bounds |= ToQRect(item.unitRect);
    }
    for (const quelda::PanelCell& cell : item.cells) {
        bounds |= ToQRect(cell.labelRect);
        bounds |= ToQRect(cell.cellRect);
    }
    return bounds;
}

std::size_t PaintMonitorPanel(QPainter& painter, const quelda::MonitorPanel& panel,
                              const std::vector<quelda::MonitorItem>& items,
                              const std::vector<QRect>& bounds, const QRect& exposed) {
    std::size_t painted = 0;
    for (std::size_t i = 0; i < panel.items.size() && i < bounds.size(); ++i) {
        if (!bounds[i].intersects(exposed)) continue;
        const quelda::PanelItem& item = panel.items[i];
        DrawText(painter, ToQRect(item.nameRect), item.caption, Qt::AlignLeft);
        if (item.hasValueBox) {
            const std::string& value =
                item.index < items.size() ? items[item.index].value : item.value;
            DrawBox(painter, ToQRect(item.valueRect), Qt::white, value, Qt::AlignRight);
            DrawText(painter, ToQRect(item.unitRect), item.unit, Qt::AlignLeft);
        }
        for (const quelda::PanelCell& cell : item.cells) {
            if ((ToQRect(cell.labelRect) | ToQRect(cell.cellRect)).intersects(exposed))
                DrawCell(painter, cell);
        }
        ++painted;
    }
    return painted;
}

std::size_t PaintStatusPanel(QPainter& painter, const quelda::StatusPanel& panel,
                             const QRect& exposed) {
    std::size_t painted = 0;
    const QRect word = ToQRect(panel.wordRect);
    if (word.intersects(exposed)) {
        DrawBox(painter, word, Qt::white, panel.wordText, Qt::AlignHCenter);
        ++painted;
    }
    for (const quelda::PanelCell& cell : panel.cells) {
        if (!(ToQRect(cell.labelRect) | ToQRect(cell.cellRect)).intersects(exposed)) continue;
        DrawCell(painter, cell);
        ++painted;
    }
    return painted;
}

}  // namespace paneldraw
