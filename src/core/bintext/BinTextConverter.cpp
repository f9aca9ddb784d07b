#include "bintext/BinTextConverter.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "bintext/BinaryLogReader.h"
#include "monitor/CsvColumns.h"
#include "monitor/MonitorDecode.h"
#include "monitor/MonitorDefinition.h"

namespace quelda {

namespace {

using Outcome = BinTextResult::Outcome;

constexpr std::size_t kOutputFlush = 1 << 20;

std::string Printf(const char* format, long long a, long long b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

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

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// One conversion: the items, the two files and the state between blocks.
class Conversion {
public:
    Conversion(const BinTextRequest& request, const BinTextConverter::Progress& progress)
        : m_request(request),
          m_progress(progress),
          m_items(LoadMonitorDefinition(request.definitionFile, DefinitionForm::TypedBlock,
                                        request.appDir)),
          m_columns(m_items),
          m_spans(m_items.size(), Span{0, 0, false}) {
        for (std::size_t c = 1; c <= m_columns.Count(); ++c) {
            if (m_columns.ItemOfColumn(c) >= 0) m_spans[m_columns.ItemOfColumn(c)].shown = true;
        }
    }

    BinTextResult Run();

private:
    bool OpenOutput();
    bool Flush();
    void Report() const {
        if (m_progress) m_progress(m_reader.Position(), m_reader.FileSize());
    }
    // The outcome of one block, Completed to go on.
    BinTextResult ConvertBlocks();
    bool ReadLength(uint16_t& length, BinTextResult& stop);
    BinTextResult DecodeBlock(const uint8_t* data, std::size_t size);
    // Room for `needed` bytes of value text after the `used` ones.
    char* ValueRoom(std::size_t used, std::size_t needed);

    const BinTextRequest& m_request;
    const BinTextConverter::Progress& m_progress;
    std::vector<MonitorItem> m_items;
    CsvColumns m_columns;
    // Where each item's value text of the current block lies in m_values;
    // items no column shows are stepped over without formatting.
    struct Span {
        std::size_t begin;
        std::size_t size;
        bool shown;
    };
    std::vector<Span> m_spans;
    std::vector<char> m_values;
    BinaryLogReader m_reader;
    std::unique_ptr<std::FILE, FileCloser> m_out;
    std::string m_pending;
    std::vector<uint8_t> m_block;
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
    if (!OpenOutput()) return Stop(Outcome::FileError, "The output file cannot be created");
    m_pending = m_columns.Header(m_items, "");
    BinTextResult result = ConvertBlocks();
    if (!Flush() || std::fclose(m_out.release()) != 0) {
        if (result.outcome == Outcome::Completed) {
            result = Stop(Outcome::FileError, "The output file cannot be written");
        }
    }
    result.blocks = m_blocks;
    result.lines = m_lines;
    return result;
}

bool Conversion::OpenOutput() {
    m_out.reset(std::fopen(m_request.outputFile.c_str(), "wb"));
    return m_out != nullptr;
}

bool Conversion::Flush() {
    if (m_pending.empty()) return true;
    const bool ok =
        std::fwrite(m_pending.data(), 1, m_pending.size(), m_out.get()) == m_pending.size();
    m_pending.clear();
    return ok;
}

bool Conversion::ReadLength(uint16_t& length, BinTextResult& stop) {
    uint8_t bytes[2];
    const std::size_t n = m_reader.Read(bytes, 2);
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
    m_block.resize(0xFFFF);
    int untilConverted = 0;  // blocks 0, N, 2N, ... are converted
    for (;;) {
        BinTextResult stop;
        uint16_t length = 0;
        if (!ReadLength(length, stop)) return stop;
        if (length < 2) {
            return Stop(Outcome::LengthInvalid,
                        Printf("The data length of the BINARY file =%lld is abnormal", length));
        }
        const std::size_t size = length - 2u;
        const std::size_t got = m_reader.Read(m_block.data(), size);
        if (got < size) {
            if (m_reader.Failed())
                return Stop(Outcome::FileError, "The BINARY file cannot be read");
            return Stop(Outcome::IncompleteBlock,
                        "The last block of the BINARY file is incomplete");
        }
        ++m_blocks;
        if (untilConverted-- == 0) {
            untilConverted = m_request.rate - 1;
            BinTextResult decoded = DecodeBlock(m_block.data(), size);
            if (decoded.outcome != Outcome::Completed) return decoded;
        }
        Report();
    }
}

char* Conversion::ValueRoom(std::size_t used, std::size_t needed) {
    if (m_values.size() < used + needed) m_values.resize(2 * (used + needed));
    return m_values.data() + used;
}

BinTextResult Conversion::DecodeBlock(const uint8_t* data, std::size_t size) {
    std::size_t used = 0;
    long long p = 0;
    for (std::size_t i = 1; i < m_items.size(); ++i) {
        const ValueCodec& codec = m_items[i].codec;
        Span& span = m_spans[i];
        FieldResult r;
        if (p >= 0 && p < static_cast<long long>(size)) {
            span.begin = used;
            span.size = 0;
            r = span.shown ? codec.WriteBinary(data, size, p, ValueRoom(used, codec.MaxTextSize()),
                                               span.size)
                           : codec.Step(size, p);
            used += span.size;
        }
        if (p < 0 || p >= static_cast<long long>(size) ||
            r.status == FieldResult::Status::PastEnd) {
            return Stop(Outcome::FieldOutside,
                        Printf("The data length of the BINARY file =%lld or see definition =%lld "
                               "is abnormal",
                               static_cast<long long>(size), p));
        }
        p = r.next;
    }
    m_columns.AppendRow(
        [this](std::size_t i, std::string& out) {
            out.append(m_values.data() + m_spans[i].begin, m_spans[i].size);
        },
        m_pending);
    ++m_lines;
    if (m_pending.size() >= kOutputFlush && !Flush()) {
        return Stop(Outcome::FileError, "The output file cannot be written");
    }
    return BinTextResult{};
}

}  // namespace

BinTextResult BinTextConverter::Convert(const BinTextRequest& request, const Progress& progress) {
    if (request.rate <= 0) {
        return Stop(Outcome::RateInvalid, "Value of the conversion ratio is abnormal");
    }
    return Conversion(request, progress).Run();
}

}  // namespace quelda
