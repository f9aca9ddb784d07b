#pragma once
// The logic of the status window: STATUS.TXT, the request command of
// record 28, the status word decoded from the last frame at the 500 ms
// tick, and the cells that word draws.
#include <cstdint>
#include <string>
#include <vector>

#include "config/CommandRecords.h"
#include "status/StatusCell.h"
#include "status/StatusEntry.h"

namespace quelda {

class CStatusModel {
public:
    static constexpr int kRecord = 28;

    // First show: reads appDir + "STATUS.TXT" (missing: empty table) and
    // takes the request command from record 28 (empty when missing).
    void Load(const std::string& appDir, const std::vector<CommandRecord>& records);
    // After ">": the request command follows record 28 when it exists.
    void RecordEdited(const std::vector<CommandRecord>& records);
    const std::string& RequestCommand() const { return m_strRequest; }

    // A frame with hint 5: kept until the next tick, replacing an undecoded one.
    void FrameIn(const std::string& frameText);
    // The refresh tick: decodes the word when a frame came; true when it
    // did, so the view repaints.
    bool Tick();
    bool HasNewData() const { return m_bNewData; }

    uint32_t Word() const { return m_nWord; }
    // The word as the box shows it: "%08X".
    std::string WordText() const;
    const std::vector<StatusEntry>& Table() const { return m_table; }
    const std::string& FrameText() const { return m_strFrame; }
    // The cells the word draws now, in table order.
    std::vector<StatusCell> Cells() const;

private:
    std::vector<StatusEntry> m_table;
    std::string m_strRequest;
    std::string m_strFrame;
    bool m_bNewData = false;
    uint32_t m_nWord = 0;
};

// "%08X" of a status word.
std::string StatusWordText(uint32_t word);

}  // namespace quelda
