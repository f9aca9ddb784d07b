#pragma once
// Byte-fed receive state machine. It never touches a port, a timer or a
// window: it reports through the listener.
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/ReceiveError.h"

namespace quelda {

class IParserListener {
public:
    virtual ~IParserListener() = default;
    // End of a frame, good or bad (not on a "$" restart): the text received so
    // far, NUL-terminated (length without the NUL). Used by the fast display.
    virtual void OnFrameEnd(const char* text, std::size_t length) = 0;
    // A good frame: its text "$...LF" and the block buffer (two length bytes
    // and the block data; blockCount = 0 for text frames).
    virtual void OnFrame(const std::string& command, const char* text, std::size_t length,
                         const uint8_t* block, std::size_t blockCount) = 0;
    // A receive error; ReceiveErrorText gives its text.
    virtual void OnReceiveError(ReceiveError error) = 0;
};

class CReceiveParser {
public:
    static constexpr std::size_t kBufferSize = 4096;

    enum StateId {
        kWaitStart = 0,     // bytes between frames are ignored until "$"
        kHeader = 1,        // header text up to the first ","
        kCommand = 2,       // command name up to "," or "*"
        kAfterCommand = 3,  // text fields, or the two length bytes of a block
        kBlock = 4,         // block bytes, then the tail text up to "*"
        kSumDigits = 5,     // the two checksum characters
        kExpectCr = 6,      // CR after a matching checksum
        kExpectLf = 7,      // LF, which completes a good frame
    };

    explicit CReceiveParser(IParserListener& listener);
    CReceiveParser(const CReceiveParser&) = delete;
    CReceiveParser& operator=(const CReceiveParser&) = delete;

    void SetReceiveHeader(const std::string& header) { m_strReceiveHeader = header; }
    void SetBinaryCommand(const std::string& name);
    const std::string& BinaryCommand() const { return m_strBinaryCommand; }
    void SetBinLengthFormat(int format) { m_nBinLengthFormat = format; }

    void ReceiveByte(uint8_t ch);
    // Same result as ReceiveByte for each byte, with faster paths for the gap
    // between frames, plain text and block data.
    void Receive(const uint8_t* data, std::size_t count);

    int State() const { return m_nState; }

private:
    void OnStart(uint8_t ch);
    void OnHeader(uint8_t ch);
    void OnCommand(uint8_t ch);
    void OnAfterCommand(uint8_t ch);
    void OnLengthByte(uint8_t ch);
    void OnBlock(uint8_t ch);
    void OnSumDigit(uint8_t ch);
    void OnCr(uint8_t ch);
    void OnLf(uint8_t ch);

    bool Store(uint8_t ch);
    void BeginFrame();
    void Restart();
    void EndWithError(ReceiveError error);
    void EndCommand();
    void BeginSumDigits();
    bool HeaderMatches() const;
    std::size_t TakeRun(const uint8_t* data, std::size_t count);
    std::size_t TakeBlockRun(const uint8_t* data, std::size_t count);
    std::size_t TakeTextRun(const uint8_t* data, std::size_t count, uint8_t stops);

    IParserListener& m_listener;
    std::string m_strReceiveHeader = "$QVR";
    std::string m_strBinaryCommand = "BIN";
    int m_nBinLengthFormat = 0;
    int m_nState = kWaitStart;
    uint8_t m_byChecksum = 0;
    // one more than the longest text so that even an over-long one can be
    // NUL-terminated when it is handed to the display
    char m_text[kBufferSize + 1];
    std::size_t m_nTextLength = 0;
    std::string m_strCommand;
    std::size_t m_nCommandStart = 0;
    bool m_bBinaryFrame = false;
    uint8_t m_block[kBufferSize];
    std::size_t m_nBlockCount = 0;
    std::size_t m_nDeclaredLength = 0;
    char m_sumDigits[3] = {0, 0, 0};
    int m_nSumDigitCount = 0;
};

}  // namespace quelda
