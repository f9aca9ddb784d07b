#include "plot/PlotFeed.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "monitor/MonitorDecode.h"
#include "text/CommaLines.h"

namespace quelda {

double SteadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

CPlotFeed::CPlotFeed(std::size_t capacity) : m_capacity(capacity) {}

bool CPlotFeed::ReadNumber(const std::string& text, double& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    out = std::strtod(begin, &end);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0' && end == begin + text.size();
}

bool CPlotFeed::CanPlot(const MonitorItem& item) {
    double v;
    return item.value.empty() || ReadNumber(item.value, v);
}

const CPlotFeed::Series* CPlotFeed::Find(std::size_t item) const {
    if (item >= m_seriesOf.size() || m_seriesOf[item] < 0) return nullptr;
    return &m_series[static_cast<std::size_t>(m_seriesOf[item])];
}

void CPlotFeed::SetPlotted(std::size_t item, bool on) {
    if (on == IsPlotted(item)) return;
    if (on) {
        m_series.push_back({item, std::make_unique<CSampleRing>(m_capacity)});
    } else {
        m_series.erase(std::remove_if(m_series.begin(), m_series.end(),
                                      [item](const Series& s) { return s.item == item; }),
                       m_series.end());
    }
    std::size_t top = 0;
    for (const Series& s : m_series) top = std::max(top, s.item + 1);
    m_seriesOf.assign(top, -1);
    for (std::size_t i = 0; i < m_series.size(); ++i)
        m_seriesOf[m_series[i].item] = static_cast<int>(i);
    ++m_generation;
}

void CPlotFeed::KeepItems(std::size_t count) {
    std::vector<std::size_t> gone;
    for (const Series& s : m_series) {
        if (s.item >= count) gone.push_back(s.item);
    }
    for (std::size_t item : gone) SetPlotted(item, false);
}

double CPlotFeed::Since(double arrival) {
    if (!m_bStarted) {
        m_bStarted = true;
        m_origin = arrival;
    }
    ++m_generation;
    return arrival - m_origin;
}

void CPlotFeed::AddText(Series& series, const std::string& text, double t) {
    double v;
    if (!ReadNumber(text, v)) v = std::numeric_limits<double>::quiet_NaN();
    series.ring->Add(t, v);
}

void CPlotFeed::TextFrame(const std::vector<MonitorItem>& items, const std::string& frameText,
                          int elementShift, double arrival) {
    if (m_series.empty()) return;
    const std::vector<std::string> elements = SplitElements(frameText);
    const double t = Since(arrival);
    for (Series& s : m_series) {
        if (s.item >= items.size() || s.item == 0) continue;
        const MonitorItem& item = items[s.item];
        const std::string* element = ItemElement(item, elements, elementShift);
        if (!element) continue;
        item.codec.DecodeText(*element, m_scratch);
        AddText(s, m_scratch, t);
    }
}

void CPlotFeed::Block(const std::vector<MonitorItem>& items, const uint8_t* block,
                      std::size_t length, double arrival) {
    if (m_series.empty()) return;
    const double t = Since(arrival);
    WalkBlockItems(items, length, [&](std::size_t i, const MonitorItem& item, long long p) {
        const int index = i < m_seriesOf.size() ? m_seriesOf[i] : -1;
        if (index < 0) return item.codec.Step(length, p).next;
        const FieldResult r = item.codec.DecodeBinary(block, length, p, m_scratch);
        if (r.status == FieldResult::Status::Value)
            AddText(m_series[static_cast<std::size_t>(index)], m_scratch, t);
        return r.next;
    });
}

}  // namespace quelda
