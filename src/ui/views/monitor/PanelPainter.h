#pragma once
// Painting of the monitor and status panels from their core layouts: grey
// 192,192,192 behind everything, values right-aligned in a white sunken
// box, names, units and labels left-aligned, cell texts centred in a box of
// the cell's colour; every text clipped to its rectangle, never wrapped, at
// the top of its rectangle (as the original's vertical centring without
// single-line mode). Only what meets the exposed rectangle is drawn.
#include <QColor>
#include <QRect>
#include <cstddef>
#include <string>
#include <vector>

#include "monitor/PanelLayout.h"

class QPainter;

namespace paneldraw {

const QColor kBackground(192, 192, 192);

inline QRect ToQRect(const quelda::PanelRect& r) { return QRect(r.left, r.top, r.width, r.height); }

// The two-line sunken frame of a value box or a cell: outer line dark grey
// 64,64,64 top/left and white bottom/right, inner line black top/left and
// grey 192,192,192 bottom/right. Returns the rectangle inside it.
QRect DrawSunkenFrame(QPainter& painter, const QRect& rect);
// Fills the box, draws its frame and the text inside with the alignment.
void DrawBox(QPainter& painter, const QRect& rect, const QColor& fill, const std::string& text,
             Qt::Alignment alignment);
// A text at the top of its rectangle, clipped, on one line.
void DrawText(QPainter& painter, const QRect& rect, const std::string& text,
              Qt::Alignment alignment);
// A status cell: its label and its coloured box.
void DrawCell(QPainter& painter, const quelda::PanelCell& cell);

// What one laid-out monitor item covers: its row block, or for a status
// item its name and every cell.
QRect ItemBounds(const quelda::PanelItem& item);

// Paints the items whose bounds meet exposed; bounds[i] belongs to
// panel.items[i], whose value text is items[panel.items[i].index].value
// (the model's current one). The number of items painted.
std::size_t PaintMonitorPanel(QPainter& painter, const quelda::MonitorPanel& panel,
                              const std::vector<quelda::MonitorItem>& items,
                              const std::vector<QRect>& bounds, const QRect& exposed);
// Paints the word box and the cells that meet exposed; how many were painted.
std::size_t PaintStatusPanel(QPainter& painter, const quelda::StatusPanel& panel,
                             const QRect& exposed);

}  // namespace paneldraw
