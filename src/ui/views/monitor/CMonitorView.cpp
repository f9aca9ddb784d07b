#include "views/monitor/CMonitorView.h"

#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "app/CMainFrame.h"
#include "app/UiText.h"
#include "text/FileNames.h"
#include "routing/UpdateHint.h"
#include "views/monitor/CMonitorChildFrame.h"

using quelda::WindowKind;

namespace {

const MonitorConstants kMonitors[] = {
    {"Monitor1", 20, quelda::hintMonitor1, "CSV"},
    {"Monitor2", 22, quelda::hintMonitor2, "CSV"},
    {"Monitor3", 24, quelda::hintMonitor3, "BIN"},
    {"Monitor4", 26, quelda::hintMonitor4, "CSV"},
};

}  // namespace

const MonitorConstants& MonitorConstantsOf(WindowKind kind) {
    const int index = static_cast<int>(kind) - static_cast<int>(WindowKind::Monitor1);
    return kMonitors[std::clamp(index, 0, 3)];
}

CMonitorView::CMonitorView(CMainFrame& mainFrame, WindowKind kind, QWidget* parent)
    : CQueldaView(mainFrame, parent), m_kind(kind) {}

void CMonitorView::OnInitialUpdate() {
    PlaceFrame(QString::fromLatin1(Constants().title));
    ProposeLogName();
    // The routing hands the view the frames whose command begins with its
    // first record's command; monitor 3's frames carry a binary block.
    const auto& records = MainFrame().Core().CommandRecords();
    const int first = Constants().firstRecord;
    if (first < static_cast<int>(records.size())) m_strRequest = records[first].command;
    if (m_kind == WindowKind::Monitor3 && !m_strRequest.empty()) {
        MainFrame().Core().SetBinaryCommand(m_strRequest);
    }
}

void CMonitorView::ProposeLogName() {
    auto* frame = qobject_cast<CMonitorChildFrame*>(Frame());
    if (!frame) return;
    const std::string base = MainFrame().AppDir() + quelda::TodayYYMMDD();
    QLineEdit* edit = frame->LogNameEdit();
    edit->setText(DecodeText(quelda::NextNumberedFileName(base, Constants().logExtension)));
    edit->selectAll();
}

void CMonitorView::OnUpdate(int hint, const uint8_t* data, std::size_t length) {
    if (hint == quelda::hintNone && !data) update();
}

void CMonitorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
}
