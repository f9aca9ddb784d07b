// Feeds arbitrary bytes to two parsers, one byte at a time and in chunks, and
// aborts when an invariant of the frames they hand out does not hold or when
// the two disagree.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ParserFuzzOptions.h"
#include "protocol/ReceiveParser.h"

namespace {

using quelda::CReceiveParser;
using quelda::fuzz::ParserFuzzOptions;

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "parser invariant violated: %s\n", what);
    std::abort();
}

// The checksum characters read the way the C library reads them.
bool ChecksumMatches(const char* digits, uint8_t sum) {
    char copy[3] = {digits[0], digits[1], 0};
    unsigned int value = 0;
    return std::sscanf(copy, "%X", &value) == 1 && (value & 0xFF) == sum;
}

class CheckingListener : public quelda::IParserListener {
public:
    explicit CheckingListener(const ParserFuzzOptions& options) : m_options(options) {}

    std::string log;

    void OnFrameEnd(const char* text, std::size_t length) override {
        Check(!m_bEnded, "two frame ends without an outcome between them");
        Check(length >= 1 && length <= CReceiveParser::kBufferSize, "frame end length");
        Check(text[0] == '$' && text[length] == '\0', "frame end text");
        m_bEnded = true;
        log.append("E").append(text, length);
    }

    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* block, std::size_t count) override {
        Check(m_bEnded, "frame without its end");
        m_bEnded = false;
        Check(length >= 7 && length < CReceiveParser::kBufferSize, "frame length");
        Check(text[length - 2] == '\r' && text[length - 1] == '\n', "frame ends in CR LF");
        Check(text[length - 5] == '*', "frame holds the checksum marker");
        uint8_t sum = 0;
        for (std::size_t i = 1; i < length - 5; ++i) sum ^= static_cast<uint8_t>(text[i]);
        for (std::size_t i = 0; i < count; ++i) sum ^= block[i];
        Check(ChecksumMatches(text + length - 4, sum), "frame checksum");
        CheckHeaderAndCommand(command, text, length);
        CheckBlock(command, text, block, count);
        log.append("F").append(command).append(reinterpret_cast<const char*>(block), count);
    }

    void OnReceiveError(quelda::ReceiveError error) override {
        // a restart is the only error that does not end a frame first
        bool restart = error == quelda::ReceiveError::Restart;
        Check(restart != m_bEnded, "error out of turn");
        m_bEnded = false;
        const char* text = quelda::ReceiveErrorText(error);
        Check(*text != '\0', "error without a text");
        log.append("X").append(text);
    }

private:
    void CheckHeaderAndCommand(const std::string& command, const char* text, std::size_t length) {
        const char* end = text + length;
        const char* first = std::find(text, end, ',');
        Check(first != end, "frame has a separator");
        Check(std::string(text, first) == m_options.header, "frame header");
        const char* stop = first + 1;
        while (stop < end && *stop != ',' && *stop != '*') ++stop;
        Check(std::string(first + 1, stop) == command, "command between the separators");
    }

    void CheckBlock(const std::string& command, const char* text, const uint8_t* block,
                    std::size_t count) {
        Check(count < CReceiveParser::kBufferSize, "block count");
        if (count == 0) {
            // the binary command without a block ends at "*"
            bool bare = text[std::strlen(m_options.header) + 1 + command.size()] == '*';
            Check(command != m_options.binary || bare, "binary frame without its block");
            return;
        }
        Check(command == m_options.binary && count >= 2, "block of a binary frame");
        std::size_t L =
            m_options.lengthOrder == 0 ? block[1] * 256u + block[0] : block[0] * 256u + block[1];
        Check(count == (L < 2 ? 2 : L), "block count is the declared length");
    }

    ParserFuzzOptions m_options;
    bool m_bEnded = false;
};

void Configure(CReceiveParser& parser, const ParserFuzzOptions& options) {
    parser.SetReceiveHeader(options.header);
    parser.SetBinaryCommand(options.binary);
    parser.SetBinLengthFormat(options.lengthOrder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    ParserFuzzOptions options = quelda::fuzz::DecodeOptions(data[0]);
    ++data;
    --size;
    CheckingListener byteListener(options), chunkListener(options);
    CReceiveParser byByte(byteListener), byChunk(chunkListener);
    Configure(byByte, options);
    Configure(byChunk, options);
    for (std::size_t i = 0; i < size; ++i) {
        byByte.ReceiveByte(data[i]);
        Check(byByte.State() >= 0 && byByte.State() <= 7, "state out of range");
    }
    for (std::size_t at = 0; at < size; at += options.chunk) {
        std::size_t n = size - at < options.chunk ? size - at : options.chunk;
        byChunk.Receive(data + at, n);
        Check(byChunk.State() >= 0 && byChunk.State() <= 7, "state out of range");
    }
    Check(byByte.State() == byChunk.State(), "byte and chunk feeding end in the same state");
    Check(byteListener.log == chunkListener.log, "byte and chunk feeding give the same events");
    return 0;
}
