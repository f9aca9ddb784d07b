#include "bintext/BinTextConverter.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "bintext/BatchPipeline.h"
#include "bintext/BinaryLogReader.h"
#include "bintext/BlockBatch.h"
#include "bintext/BlockLineWriter.h"
#include "bintext/ChunkWriter.h"
#include "monitor/CsvColumns.h"
#include "monitor/MonitorDecode.h"  // ReadBlockLength
#include "monitor/MonitorDefinition.h"

namespace quelda {

namespace {

using Outcome = BinTextResult::Outcome;

// Blocks are read and formatted in batches of about this many data bytes.
constexpr std::size_t kBatchBytes = 128 * 1024;

// Threads that format beside the caller's: one less than the processors,
// and no more than the caller's reading and writing can keep busy.
std::size_t HelperThreads() {
    constexpr unsigned kMostHelpers = 3;
    const unsigned processors = std::thread::hardware_concurrency();
    return processors > 1 ? std::min(processors - 1, kMostHelpers) : 0;
}

std::string Printf(const char* format, long long a, long long b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

const char* const kStoppedMessage =
    "The conversion was stopped; the output file keeps the lines written so far";

BinTextResult Stop(Outcome outcome, std::string message) {
    BinTextResult r;
    r.outcome = outcome;
    r.message = std::move(message);
    return r;
}

// Whether two names lead to one existing file.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// One conversion: the items, the two files and the state between blocks.
class Conversion {
public:
    Conversion(const BinTextRequest& request, const BinTextConverter::Progress& progress)
        : m_request(request),
          m_progress(progress),
          m_items(LoadMonitorDefinition(request.definitionFile, DefinitionForm::TypedBlock,
                                        request.appDir)),
          m_columns(m_items),
          m_lineWriter(m_items, m_columns) {}

    BinTextResult Run();

private:
    void Report() const {
        if (m_progress) m_progress(m_reader.Position(), m_reader.FileSize());
    }
    // The outcome of the blocks, Completed when all were converted.
    BinTextResult ConvertBlocks();
    bool ReadLength(uint16_t& length, BinTextResult& stop);
    void ReadBatch(BlockBatch& batch);
    bool StopAsked() const {
        return m_request.stop && m_request.stop->load(std::memory_order_relaxed);
    }
    // Writes a formatted batch, formatting the rest of it if its first
    // piece did not take it all; finished when the conversion ends with it.
    BinTextResult Commit(BlockBatch& batch, bool& finished);

    const BinTextRequest& m_request;
    const BinTextConverter::Progress& m_progress;
    std::vector<MonitorItem> m_items;
    CsvColumns m_columns;
    BlockLineWriter m_lineWriter;
    BinaryLogReader m_reader;
    ChunkWriter m_out;
    int m_untilConverted = 0;  // blocks 0, N, 2N, ... are converted
    uint64_t m_blocks = 0;
    uint64_t m_lines = 0;
};

BinTextResult Conversion::Run() {
    if (!m_reader.Open(m_request.binaryFile)) {
        return Stop(Outcome::FileError, "The BINARY file cannot be opened");
    }
    Report();
    m_reader.SkipHeaderLine();
    Report();
    // creating the output would destroy the input it was meant to keep
    if (SameFile(m_request.outputFile, m_request.binaryFile) ||
        SameFile(m_request.outputFile, m_request.definitionFile)) {
        return Stop(Outcome::FileError, "The output file must not be an input file");
    }
    if (!m_out.Open(m_request.outputFile)) {
        return Stop(Outcome::FileError, "The output file cannot be created");
    }
    const std::string header = m_columns.Header(m_items, "");
    BinTextResult result = m_out.Write(header.data(), header.size())
                               ? ConvertBlocks()
                               : Stop(Outcome::FileError, "The output file cannot be written");
    if (!m_out.Close() && result.outcome == Outcome::Completed) {
        result = Stop(Outcome::FileError, "The output file cannot be written");
    }
    result.blocks = m_blocks;
    result.lines = m_lines;
    return result;
}

bool Conversion::ReadLength(uint16_t& length, BinTextResult& stop) {
    std::size_t n = 0;
    const uint8_t* bytes = m_reader.Take(2, n);
    if (n == 2) {
        length = ReadBlockLength(bytes, m_request.lengthFormat);
        return true;
    }
    if (m_reader.Failed()) {
        stop = Stop(Outcome::FileError, "The BINARY file cannot be read");
    } else if (n == 1) {
        stop = Stop(Outcome::IncompleteBlock, "The last block of the BINARY file is incomplete");
    }
    return false;
}

BinTextResult Conversion::ConvertBlocks() {
    BatchPipeline pipeline(m_lineWriter, HelperThreads());
    bool readAll = false;
    for (;;) {
        // checked between batches, so the output ends with a complete line
        if (StopAsked()) return Stop(Outcome::Stopped, kStoppedMessage);
        while (!readAll) {
            BlockBatch* batch = pipeline.Free();
            if (!batch) break;
            ReadBatch(*batch);
            readAll = batch->last;
            pipeline.Submit(batch);
        }
        // the last batch read ends the loop, so one is always queued here
        BlockBatch* batch = pipeline.Next();
        bool finished = false;
        BinTextResult result = Commit(*batch, finished);
        pipeline.Recycle(batch);
        if (finished) return result;
    }
}

void Conversion::ReadBatch(BlockBatch& batch) {
    batch.start = m_reader.Position();
    while (batch.data.size() < kBatchBytes) {
        uint16_t length = 0;
        batch.last = true;
        if (!ReadLength(length, batch.stop)) return;
        if (length < 2) {
            batch.stop =
                Stop(Outcome::LengthInvalid,
                     Printf("The data length of the BINARY file =%lld is abnormal", length));
            return;
        }
        const std::size_t size = length - 2u;
        std::size_t got = 0;
        const uint8_t* data = m_reader.Take(size, got);
        if (got < size) {
            batch.stop = m_reader.Failed()
                             ? Stop(Outcome::FileError, "The BINARY file cannot be read")
                             : Stop(Outcome::IncompleteBlock,
                                    "The last block of the BINARY file is incomplete");
            return;
        }
        batch.last = false;
        const bool converted = m_untilConverted-- == 0;
        if (converted) m_untilConverted = m_request.rate - 1;
        batch.Add(data, size, m_reader.Position(), converted);
    }
}

BinTextResult Conversion::Commit(BlockBatch& batch, bool& finished) {
    finished = true;
    for (std::size_t reported = 0;;) {
        if (!m_out.Write(batch.text.data(), batch.textSize)) {
            return Stop(Outcome::FileError, "The output file cannot be written");
        }
        m_lines += batch.lines;
        for (; reported < batch.formatted; ++reported) {
            ++m_blocks;
            if (m_progress)
                m_progress(batch.start + batch.blocks[reported].end, m_reader.FileSize());
        }
        if (batch.failedBlock != BlockBatch::kNoFailure) {
            ++m_blocks;
            return Stop(Outcome::FieldOutside,
                        Printf("The data length of the BINARY file =%lld or see definition =%lld "
                               "is abnormal",
                               batch.blocks[batch.failedBlock].size, batch.failedOffset));
        }
        if (batch.AllFormatted()) break;
        batch.Format(m_lineWriter);  // the lines were too long for one piece
    }
    finished = batch.last;
    return batch.stop;
}

}  // namespace

BinTextResult BinTextConverter::Convert(const BinTextRequest& request, const Progress& progress) {
    if (request.rate <= 0) {
        return Stop(Outcome::RateInvalid, "Value of the conversion ratio is abnormal");
    }
    return Conversion(request, progress).Run();
}

}  // namespace quelda
