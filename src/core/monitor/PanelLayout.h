#pragma once
// Where a monitor panel and the status view draw each text and box, from
// the window's widths in characters, the font's character cell (cx, cy,
// measured by the caller on "A" of the chosen font) and each item's X/Y.
// The view paints these rectangles: names, units and status labels
// left-aligned, values right-aligned in a white sunken box, cell texts
// centred in a sunken box of the cell's colour, all on grey 192,192,192.
//
// Bad input stays bounded: widths are clamped to 0 .. kMaxWidthChars
// characters, cx and cy to 1 .. kMaxCharCell pixels, everything is
// computed in 64 bits, and an item (its whole row block) or a status cell
// (label and box together) that does not lie wholly inside
// 0 .. kMaxPanelCoord on both axes is left out and only counted. Negative
// positions are left out too: they would lie above or left of the view.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "monitor/MonitorItem.h"
#include "status/StatusEntry.h"

namespace quelda {

constexpr int kMaxPanelCoord = 1 << 24;
constexpr int kMaxWidthChars = 4096;
constexpr int kMaxCharCell = 1000;

struct PanelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const PanelRect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Pixel widths of one panel, after clamping.
struct PanelMetrics {
    int name = 0;         // NAME_LENGTH x cx
    int value = 0;        // DATA_LENGTH x cx + 4
    int unit = 0;         // UNIT_LENGTH x cx
    int statusLabel = 0;  // STATUS_NAME_LENGTH x cx
    int statusCell = 0;   // STATUS_DATA_LENGTH x cx + 4
    int block = 0;        // name + value + unit: one panel column
    int statusPitch = 0;  // statusLabel + statusCell: one cell column
    int row = 0;          // cy + 4
    int cx = 0;
    int cy = 0;
};
PanelMetrics MeasurePanel(const WindowSettings& settings, int cx, int cy);

// One drawn status cell: its label beside a coloured box with its text.
struct PanelCell {
    std::string label;
    std::string text;
    int r = 0;
    int g = 0;
    int b = 0;
    PanelRect labelRect;
    PanelRect cellRect;
};

// One drawn monitor item. A status item has cells instead of a value box
// and unit (hasValueBox false, valueRect and unitRect empty).
struct PanelItem {
    std::size_t index = 0;  // into the item list
    std::string caption;
    std::string value;
    std::string unit;
    bool hasValueBox = true;
    PanelRect nameRect;
    PanelRect valueRect;
    PanelRect unitRect;
    std::vector<PanelCell> cells;
};

struct MonitorPanel {
    PanelMetrics metrics;
    std::vector<PanelItem> items;  // in file order, the title line never
    // the scroll size that shows every placed rectangle (0 x 0 when none)
    int width = 0;
    int height = 0;
    std::size_t leftOut = 0;  // items and cells outside the bounds
};

// Whether a monitor draws the item at all: monitor 3 does not draw "JUMP" items.
bool IsDrawnItem(const MonitorItem& item, DefinitionForm form);

// Item at (X x block, Y x row): name, then value box and unit, or the
// status cells of its current value, each at (x + name + cellX x
// statusPitch, y + cellY x row).
MonitorPanel LayOutMonitorPanel(const std::vector<MonitorItem>& items, DefinitionForm form,
                                const WindowSettings& settings, int cx, int cy);

struct StatusPanel {
    PanelMetrics metrics;
    PanelRect wordRect;            // (0, 0), 8 x cx + 4 by row
    std::string wordText;          // "%08X"
    std::vector<PanelCell> cells;  // in table order
    int width = 0;
    int height = 0;
    std::size_t leftOut = 0;
};

// Cells of the word at (cellX x statusPitch, (cellY + 1) x row): the row
// below the word box is cell row 0.
StatusPanel LayOutStatusPanel(const std::vector<StatusEntry>& table, uint32_t word,
                              const WindowSettings& settings, int cx, int cy);

}  // namespace quelda
