#include "monitor/PanelLayout.h"

#include <algorithm>

#include "status/StatusEvaluation.h"
#include "status/StatusModel.h"
#include "text/LenientNumbers.h"

namespace quelda {

namespace {

int Clamp(int v, int low, int high) { return std::min(std::max(v, low), high); }

// A rectangle still in 64 bits, before it is known to be placeable.
struct Span {
    int64_t left;
    int64_t top;
    int64_t width;
    int64_t height;
};

bool Inside(const Span& s) {
    return s.left >= 0 && s.top >= 0 && s.left + s.width <= kMaxPanelCoord &&
           s.top + s.height <= kMaxPanelCoord;
}

// Only for spans inside the bounds.
PanelRect ToRect(const Span& s) {
    return {static_cast<int>(s.left), static_cast<int>(s.top), static_cast<int>(s.width),
            static_cast<int>(s.height)};
}

// Tracks the scroll size and the count of what was left out.
struct Extent {
    int width = 0;
    int height = 0;
    std::size_t leftOut = 0;
    bool Place(const Span& s) {
        if (!Inside(s)) {
            ++leftOut;
            return false;
        }
        width = std::max(width, static_cast<int>(s.left + s.width));
        height = std::max(height, static_cast<int>(s.top + s.height));
        return true;
    }
};

// A label and its box side by side, with left at the label.
bool PlaceCell(const StatusCell& cell, int64_t left, int64_t top, const PanelMetrics& m,
               Extent& extent, std::vector<PanelCell>& out) {
    const Span both{left, top, int64_t{m.statusPitch}, int64_t{m.row}};
    if (!extent.Place(both)) return false;
    PanelCell c;
    c.label = cell.label;
    c.text = cell.text;
    c.r = cell.r;
    c.g = cell.g;
    c.b = cell.b;
    c.labelRect = ToRect({left, top, m.statusLabel, m.row});
    c.cellRect = ToRect({left + m.statusLabel, top, m.statusCell, m.row});
    out.push_back(std::move(c));
    return true;
}

}  // namespace

PanelMetrics MeasurePanel(const WindowSettings& s, int cx, int cy) {
    PanelMetrics m;
    m.cx = Clamp(cx, 1, kMaxCharCell);
    m.cy = Clamp(cy, 1, kMaxCharCell);
    auto chars = [&m](int n) { return Clamp(n, 0, kMaxWidthChars) * m.cx; };
    m.name = chars(s.NAME_LENGTH);
    m.value = chars(s.DATA_LENGTH) + 4;
    m.unit = chars(s.UNIT_LENGTH);
    m.statusLabel = chars(s.STATUS_NAME_LENGTH);
    m.statusCell = chars(s.STATUS_DATA_LENGTH) + 4;
    m.block = m.name + m.value + m.unit;
    m.statusPitch = m.statusLabel + m.statusCell;
    m.row = m.cy + 4;
    return m;
}

bool IsDrawnItem(const MonitorItem& item, DefinitionForm form) {
    return form != DefinitionForm::TypedBlock || item.type.compare(0, 4, "JUMP") != 0;
}

MonitorPanel LayOutMonitorPanel(const std::vector<MonitorItem>& items, DefinitionForm form,
                                const WindowSettings& settings, int cx, int cy) {
    MonitorPanel panel;
    const PanelMetrics& m = panel.metrics = MeasurePanel(settings, cx, cy);
    Extent extent;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const MonitorItem& item = items[i];
        if (!IsDrawnItem(item, form)) continue;
        const int64_t x = int64_t{LenientAtoi(item.x)} * m.block;
        const int64_t y = int64_t{LenientAtoi(item.y)} * m.row;
        if (!extent.Place({x, y, m.block, m.row})) continue;
        PanelItem p;
        p.index = i;
        p.caption = item.name;
        p.value = item.value;
        p.unit = item.unit;
        p.nameRect = ToRect({x, y, m.name, m.row});
        if (item.IsStatus()) {
            p.hasValueBox = false;
            const uint32_t bits = StatusItemValue(item.value);
            for (const StatusCell& cell : EvaluateStatusCells(item.statusList, bits)) {
                PlaceCell(cell, x + m.name + int64_t{cell.x} * m.statusPitch,
                          y + int64_t{cell.y} * m.row, m, extent, p.cells);
            }
        } else {
            p.valueRect = ToRect({x + m.name, y, m.value, m.row});
            p.unitRect = ToRect({x + m.name + m.value, y, m.unit, m.row});
        }
        panel.items.push_back(std::move(p));
    }
    panel.width = extent.width;
    panel.height = extent.height;
    panel.leftOut = extent.leftOut;
    return panel;
}

StatusPanel LayOutStatusPanel(const std::vector<StatusEntry>& table, uint32_t word,
                              const WindowSettings& settings, int cx, int cy) {
    StatusPanel panel;
    const PanelMetrics& m = panel.metrics = MeasurePanel(settings, cx, cy);
    Extent extent;
    const Span box{0, 0, 8 * int64_t{m.cx} + 4, m.row};
    extent.Place(box);  // always inside: 8 x 1000 + 4 pixels at most
    panel.wordRect = ToRect(box);
    panel.wordText = StatusWordText(word);
    for (const StatusCell& cell : EvaluateStatusCells(table, word)) {
        PlaceCell(cell, int64_t{cell.x} * m.statusPitch, (int64_t{cell.y} + 1) * m.row, m, extent,
                  panel.cells);
    }
    panel.width = extent.width;
    panel.height = extent.height;
    panel.leftOut = extent.leftOut;
    return panel;
}

}  // namespace quelda
