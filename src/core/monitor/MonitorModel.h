#pragma once
// The logic of a monitor window, one class for all four monitors: they
// differ only in their MonitorConstants. Driven by events (load, frame or
// block in, the 500 ms tick, Save on/off, record edited); the view paints
// Items() through the panel layout and forwards the user's actions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/CommandRecords.h"
#include "monitor/CsvColumns.h"
#include "monitor/MonitorConstants.h"
#include "monitor/MonitorItem.h"
#include "plot/PlotFeed.h"
#include "routing/WindowKind.h"
#include "status/StatusCell.h"

namespace quelda {

// The last log record could not be written: the view shows it (Save box
// red, tooltip "fileName: reason") until a record is written again.
struct LogFailure {
    bool failed = false;
    std::string fileName;
    std::string reason;
};

// One drawn cell of a status item, with the item's name.
struct NamedStatusCell {
    std::string item;
    StatusCell cell;
};

class CMonitorModel {
public:
    // The whole block the parser can deliver.
    static constexpr std::size_t kMaxBlock = 4096;

    explicit CMonitorModel(int number);
    explicit CMonitorModel(WindowKind kind);

    const MonitorConstants& Constants() const { return *m_constants; }
    bool IsBinary() const { return m_constants->form == DefinitionForm::TypedBlock; }

    // First show: reads appDir + the definition file, takes the request
    // command from the Cmd1 record (empty when missing) and proposes
    // today's first free log name (monitor 3 also takes it as its log name).
    void Load(const std::string& appDir, const std::vector<CommandRecord>& records);
    // After ">" beside Cmd1: the request command follows the record; a
    // missing record leaves it unchanged.
    void RecordEdited(const std::vector<CommandRecord>& records);
    const std::string& RequestCommand() const { return m_strRequest; }
    const std::string& ProposedLogName() const { return m_strProposedLog; }

    // Monitors 1, 2, 4: a frame text as handed over (ignored by monitor 3),
    // arrived at arrival (SteadySeconds); plotted items take a sample now.
    void FrameIn(const std::string& frameText, double arrival = SteadySeconds());
    // Monitor 3: the block buffer (two length bytes first) of count bytes;
    // keeps the first L bytes, L read by lengthFormat and bounded by count
    // and kMaxBlock (ignored by monitors 1, 2, 4).
    void BlockIn(const uint8_t* block, std::size_t count, int lengthFormat,
                 double arrival = SteadySeconds());
    // The refresh tick: decodes when new data came; true when it did.
    bool Tick();
    // The items whose value text the last decode changed.
    const std::vector<std::size_t>& Changed() const { return m_changed; }
    // The plotted items and their samples.
    CPlotFeed& Plot() { return m_plot; }
    const CPlotFeed& Plot() const { return m_plot; }
    bool HasNewData() const { return m_bNewData; }

    // Save checked (fileName from the bar's box becomes the log name) or
    // unchecked (the name stays). Records are logged as they arrive.
    void SetSave(bool on, const std::string& fileName = std::string());
    bool Saving() const { return m_bSave; }
    const std::string& LogFileName() const { return m_strLogFile; }
    const LogFailure& LogState() const { return m_logFailure; }
    // The converter's output for this log: its directory and base name
    // with the extension "CSV".
    std::string ConverterOutputName() const;

    const std::vector<MonitorItem>& Items() const { return m_items; }
    const std::string& FrameText() const { return m_strFrame; }
    const std::vector<uint8_t>& Block() const { return m_block; }

    // The log header without its CR LF.
    std::string HeaderLine() const;
    // The header's prefix, then for c = 1 .. the largest column number the
    // value text of the last item whose column is c (or nothing), each
    // followed by ","; no CR LF.
    std::string ValuesLine() const;
    // The cells the status items draw now, item by item in file order.
    std::vector<NamedStatusCell> StatusCells() const;

private:
    void WriteRecord(const void* data, std::size_t size);

    const MonitorConstants* m_constants;
    std::vector<MonitorItem> m_items;
    CsvColumns m_columns{std::vector<MonitorItem>()};
    std::string m_strHeader;  // with CR LF, as written to an empty log
    std::string m_strRequest;
    std::string m_strProposedLog;
    std::string m_strFrame;
    std::vector<uint8_t> m_block;
    bool m_bNewData = false;
    CPlotFeed m_plot;
    std::vector<std::string> m_before;  // value texts before a decode
    std::vector<std::size_t> m_changed;
    bool m_bSave = false;
    std::string m_strLogFile;
    LogFailure m_logFailure;
};

}  // namespace quelda
