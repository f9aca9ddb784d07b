#include "monitor/MonitorModel.h"

#include <algorithm>

#include "monitor/MonitorDecode.h"
#include "monitor/MonitorDefinition.h"
#include "monitor/MonitorLog.h"
#include "monitor/PanelLayout.h"
#include "status/StatusEvaluation.h"
#include "text/FileNames.h"

namespace quelda {

CMonitorModel::CMonitorModel(int number)
    : m_constants(&GetMonitorConstants(number)),
      m_strHeader(m_columns.Header(m_items, m_constants->logHeaderPrefix)) {}

CMonitorModel::CMonitorModel(WindowKind kind) : CMonitorModel(GetMonitorConstants(kind).number) {}

void CMonitorModel::Load(const std::string& appDir, const std::vector<CommandRecord>& records) {
    m_items =
        LoadMonitorDefinition(appDir + m_constants->definitionFile, m_constants->form, appDir);
    // names never change after the load, so the header is built once
    m_plot.KeepItems(m_items.size());
    m_columns = CsvColumns(m_items);
    m_strHeader = m_columns.Header(m_items, m_constants->logHeaderPrefix);
    m_strRequest = RecordCommand(records, m_constants->firstCommandRecord);
    m_strProposedLog = ProposeLogName(appDir, m_constants->logExtension);
    // monitor 3's converter may be opened before Save is ever checked
    if (IsBinary()) m_strLogFile = m_strProposedLog;
}

void CMonitorModel::RecordEdited(const std::vector<CommandRecord>& records) {
    const int index = m_constants->firstCommandRecord;
    if (index < static_cast<int>(records.size())) m_strRequest = RecordCommand(records, index);
}

void CMonitorModel::FrameIn(const std::string& frameText, double arrival) {
    if (IsBinary()) return;
    m_strFrame = frameText;
    m_plot.TextFrame(m_items, m_strFrame, m_constants->elementShift, arrival);
    if (m_bSave) WriteRecord(m_strFrame.data(), m_strFrame.size());
    m_bNewData = true;
}

void CMonitorModel::BlockIn(const uint8_t* block, std::size_t count, int lengthFormat,
                            double arrival) {
    if (!IsBinary()) return;
    std::size_t length = count;
    if (count >= 2) length = std::min<std::size_t>(ReadBlockLength(block, lengthFormat), count);
    length = std::min(length, kMaxBlock);
    m_block.assign(block, block + length);
    m_plot.Block(m_items, m_block.data(), m_block.size(), arrival);
    if (m_bSave) WriteRecord(m_block.data(), m_block.size());
    m_bNewData = true;
}

bool CMonitorModel::Tick() {
    m_changed.clear();
    if (!m_bNewData) return false;
    m_before.resize(m_items.size());
    for (std::size_t i = 0; i < m_items.size(); ++i) m_before[i] = m_items[i].value;
    if (IsBinary()) {
        DecodeBlockItems(m_items, m_block.data(), m_block.size());
    } else {
        DecodeTextItems(m_items, m_strFrame, m_constants->elementShift);
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].value != m_before[i]) m_changed.push_back(i);
    }
    m_bNewData = false;
    return true;
}

void CMonitorModel::SetSave(bool on, const std::string& fileName) {
    m_bSave = on;
    if (on) m_strLogFile = fileName;
}

void CMonitorModel::WriteRecord(const void* data, std::size_t size) {
    const LogWriteResult r = AppendLogRecord(m_strLogFile, m_strHeader, data, size);
    if (r.ok) {
        m_logFailure = LogFailure();
        return;
    }
    m_logFailure.failed = true;
    m_logFailure.fileName = m_strLogFile;
    m_logFailure.reason = r.reason;
}

std::string CMonitorModel::ConverterOutputName() const {
    const std::size_t slash = m_strLogFile.rfind('/');
    const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = m_strLogFile.rfind('.');
    const std::size_t end =
        dot != std::string::npos && dot >= baseStart ? dot : m_strLogFile.size();
    return m_strLogFile.substr(0, end) + ".CSV";
}

std::string CMonitorModel::HeaderLine() const {
    return m_strHeader.substr(0, m_strHeader.size() - 2);
}

std::string CMonitorModel::ValuesLine() const {
    std::string line = m_constants->logHeaderPrefix;
    m_columns.AppendLine(m_items, line);
    line.resize(line.size() - 2);
    return line;
}

std::vector<NamedStatusCell> CMonitorModel::StatusCells() const {
    std::vector<NamedStatusCell> out;
    for (std::size_t i = 1; i < m_items.size(); ++i) {
        const MonitorItem& item = m_items[i];
        if (!item.IsStatus() || !IsDrawnItem(item, m_constants->form)) continue;
        for (StatusCell& cell : EvaluateStatusCells(item.statusList, StatusItemValue(item.value)))
            out.push_back({item.name, std::move(cell)});
    }
    return out;
}

}  // namespace quelda
