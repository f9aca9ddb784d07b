#include "status/StatusModel.h"

#include <cstdio>

#include "status/StatusEvaluation.h"
#include "status/StatusTable.h"

namespace quelda {

void CStatusModel::Load(const std::string& appDir, const std::vector<CommandRecord>& records) {
    m_table = LoadStatusTable(appDir + "STATUS.TXT");
    m_strRequest = RecordCommand(records, kRecord);
}

void CStatusModel::RecordEdited(const std::vector<CommandRecord>& records) {
    if (kRecord < static_cast<int>(records.size())) m_strRequest = RecordCommand(records, kRecord);
}

void CStatusModel::FrameIn(const std::string& frameText) {
    m_strFrame = frameText;
    m_bNewData = true;
}

bool CStatusModel::Tick() {
    if (!m_bNewData) return false;
    DecodeStatusWord(m_strFrame, m_nWord);
    m_bNewData = false;
    return true;
}

std::string CStatusModel::WordText() const { return StatusWordText(m_nWord); }

std::vector<StatusCell> CStatusModel::Cells() const {
    return EvaluateStatusCells(m_table, m_nWord);
}

std::string StatusWordText(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned int>(word));
    return text;
}

}  // namespace quelda
