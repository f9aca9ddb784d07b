#include "protocol/ReceiveParser.h"

#include <cstring>

#include "protocol/Frame.h"

namespace quelda {

namespace {

constexpr uint8_t kStart = '$';
constexpr uint8_t kSeparator = ',';
constexpr uint8_t kSumMarker = '*';
constexpr uint8_t kCr = '\r';
constexpr uint8_t kLf = '\n';

// Which bytes end a run of plain text, by state.
constexpr uint8_t kStopsDollar = 1, kStopsComma = 2, kStopsStar = 4;
constexpr uint8_t kStopsHeader = kStopsDollar | kStopsComma;
constexpr uint8_t kStopsCommand = kStopsDollar | kStopsComma | kStopsStar;
constexpr uint8_t kStopsFields = kStopsDollar | kStopsStar;
constexpr uint8_t kStopsTail = kStopsStar;

struct StopTable {
    uint8_t bits[256];
    constexpr StopTable() : bits{} {
        bits[kStart] = kStopsDollar;
        bits[kSeparator] = kStopsComma;
        bits[kSumMarker] = kStopsStar;
    }
};
constexpr StopTable kStopTable;

}  // namespace

CReceiveParser::CReceiveParser(IParserListener& listener) : m_listener(listener) {
    // the command is a part of the text, so it never outgrows this
    m_strCommand.reserve(kBufferSize);
    m_text[0] = '\0';
}

void CReceiveParser::SetBinaryCommand(const std::string& name) {
    m_strBinaryCommand = name;
    // the block test is made for every byte after the command, so a new name
    // takes effect at once
    if (m_nState == kAfterCommand) m_bBinaryFrame = m_strCommand == m_strBinaryCommand;
}

void CReceiveParser::ReceiveByte(uint8_t ch) {
    switch (m_nState) {
        case kWaitStart:
            OnStart(ch);
            break;
        case kHeader:
            OnHeader(ch);
            break;
        case kCommand:
            OnCommand(ch);
            break;
        case kAfterCommand:
            OnAfterCommand(ch);
            break;
        case kBlock:
            OnBlock(ch);
            break;
        case kSumDigits:
            OnSumDigit(ch);
            break;
        case kExpectCr:
            OnCr(ch);
            break;
        default:
            OnLf(ch);
            break;
    }
}

void CReceiveParser::Receive(const uint8_t* data, std::size_t count) {
    const uint8_t* end = data + count;
    while (data < end) {
        data += TakeRun(data, static_cast<std::size_t>(end - data));
        if (data == end) return;
        ReceiveByte(*data++);
    }
}

// The bytes from data on that the current state would only pass over or take
// as plain text or block data are taken in one go; the byte that may change
// the state is left to ReceiveByte.
std::size_t CReceiveParser::TakeRun(const uint8_t* data, std::size_t count) {
    switch (m_nState) {
        case kWaitStart: {
            const void* start = std::memchr(data, kStart, count);
            return start ? static_cast<std::size_t>(static_cast<const uint8_t*>(start) - data)
                         : count;
        }
        case kHeader:
            return TakeTextRun(data, count, kStopsHeader);
        case kCommand:
            return TakeTextRun(data, count, kStopsCommand);
        case kAfterCommand:
            return m_bBinaryFrame ? 0 : TakeTextRun(data, count, kStopsFields);
        case kBlock:
            if (m_nBlockCount < m_nDeclaredLength) return TakeBlockRun(data, count);
            return TakeTextRun(data, count, kStopsTail);
        default:
            return 0;
    }
}

// Block bytes that can neither end the block nor overflow the buffer.
std::size_t CReceiveParser::TakeBlockRun(const uint8_t* data, std::size_t count) {
    std::size_t limit = m_nDeclaredLength < kBufferSize ? m_nDeclaredLength : kBufferSize - 1;
    std::size_t run = limit > m_nBlockCount ? limit - m_nBlockCount : 0;
    if (run > count) run = count;
    uint8_t sum = m_byChecksum;
    uint8_t* out = m_block + m_nBlockCount;
    for (std::size_t i = 0; i < run; ++i) {
        out[i] = data[i];
        sum ^= data[i];
    }
    m_byChecksum = sum;
    m_nBlockCount += run;
    return run;
}

// Text bytes that are not special in this state and leave room in the text.
std::size_t CReceiveParser::TakeTextRun(const uint8_t* data, std::size_t count, uint8_t stops) {
    std::size_t room = kBufferSize - 1 - m_nTextLength;
    std::size_t limit = count < room ? count : room;
    uint8_t sum = m_byChecksum;
    char* out = m_text + m_nTextLength;
    std::size_t run = 0;
    while (run < limit && (kStopTable.bits[data[run]] & stops) == 0) {
        out[run] = static_cast<char>(data[run]);
        sum ^= data[run];
        ++run;
    }
    m_byChecksum = sum;
    m_nTextLength += run;
    return run;
}

// Puts a byte of text into the text buffer; false when the frame has just
// ended because the text reached the buffer size.
bool CReceiveParser::Store(uint8_t ch) {
    m_text[m_nTextLength++] = static_cast<char>(ch);
    if (m_nTextLength < kBufferSize) return true;
    EndWithError(ReceiveError::TextLength);
    return false;
}

void CReceiveParser::BeginFrame() {
    m_nTextLength = 0;
    Store(kStart);
    m_byChecksum = 0;
    m_nState = kHeader;
}

void CReceiveParser::Restart() {
    BeginFrame();
    m_listener.OnReceiveError(ReceiveError::Restart);
}

void CReceiveParser::EndWithError(ReceiveError error) {
    m_text[m_nTextLength] = '\0';
    m_nState = kWaitStart;
    m_listener.OnFrameEnd(m_text, m_nTextLength);
    m_listener.OnReceiveError(error);
}

void CReceiveParser::OnStart(uint8_t ch) {
    if (ch == kStart) BeginFrame();
}

void CReceiveParser::OnHeader(uint8_t ch) {
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    m_byChecksum ^= ch;
    if (ch != kSeparator) return;
    if (!HeaderMatches()) return EndWithError(ReceiveError::Header);
    m_nCommandStart = m_nTextLength;
    m_nState = kCommand;
}

// The text so far ends with the first ","; it must be the receive header and
// that ",". A header that itself holds a "," can therefore never match.
bool CReceiveParser::HeaderMatches() const {
    std::size_t size = m_strReceiveHeader.size();
    return m_nTextLength == size + 1 && std::memcmp(m_text, m_strReceiveHeader.data(), size) == 0;
}

void CReceiveParser::EndCommand() {
    m_strCommand.assign(m_text + m_nCommandStart, m_nTextLength - 1 - m_nCommandStart);
    m_nBlockCount = 0;
}

void CReceiveParser::OnCommand(uint8_t ch) {
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    if (ch == kSumMarker) {
        EndCommand();
        return BeginSumDigits();
    }
    m_byChecksum ^= ch;
    if (ch != kSeparator) return;
    EndCommand();
    m_bBinaryFrame = m_strCommand == m_strBinaryCommand;
    m_nState = kAfterCommand;
}

void CReceiveParser::OnAfterCommand(uint8_t ch) {
    if (m_bBinaryFrame) return OnLengthByte(ch);
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    if (ch == kSumMarker) {
        m_nBlockCount = 0;
        return BeginSumDigits();
    }
    m_byChecksum ^= ch;
}

void CReceiveParser::OnLengthByte(uint8_t ch) {
    m_block[m_nBlockCount++] = ch;
    m_byChecksum ^= ch;
    if (m_nBlockCount < 2) return;
    unsigned first = m_block[0];
    unsigned second = m_block[1];
    m_nDeclaredLength = m_nBinLengthFormat == 0 ? second * 256 + first : first * 256 + second;
    if (m_nDeclaredLength > kBufferSize) return EndWithError(ReceiveError::BinaryLength);
    m_nState = kBlock;
}

void CReceiveParser::OnBlock(uint8_t ch) {
    if (m_nBlockCount < m_nDeclaredLength) {
        m_block[m_nBlockCount++] = ch;
        if (m_nBlockCount >= kBufferSize) return EndWithError(ReceiveError::BinaryLength);
        m_byChecksum ^= ch;
        return;
    }
    if (!Store(ch)) return;
    if (ch == kSumMarker) return BeginSumDigits();
    m_byChecksum ^= ch;
}

void CReceiveParser::BeginSumDigits() {
    m_nSumDigitCount = 0;
    m_nState = kSumDigits;
}

void CReceiveParser::OnSumDigit(uint8_t ch) {
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    m_sumDigits[m_nSumDigitCount++] = static_cast<char>(ch);
    if (m_nSumDigitCount < 2) return;
    unsigned int value = 0;
    bool read = ReadChecksumDigits(m_sumDigits, value);
    if (!read || (value & 0xFFu) != m_byChecksum) return EndWithError(ReceiveError::Checksum);
    m_nState = kExpectCr;
}

void CReceiveParser::OnCr(uint8_t ch) {
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    if (ch != kCr) return EndWithError(ReceiveError::Cr);
    m_nState = kExpectLf;
}

void CReceiveParser::OnLf(uint8_t ch) {
    if (ch == kStart) return Restart();
    if (!Store(ch)) return;
    if (ch != kLf) return EndWithError(ReceiveError::Lf);
    m_text[m_nTextLength] = '\0';
    // idle before the listener runs, as after an error
    m_nState = kWaitStart;
    m_listener.OnFrameEnd(m_text, m_nTextLength);
    m_listener.OnFrame(m_strCommand, m_text, m_nTextLength, m_block, m_nBlockCount);
}

}  // namespace quelda
