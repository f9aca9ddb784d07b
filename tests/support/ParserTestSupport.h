#pragma once
// Frame builders and an event recorder shared by the protocol tests. The
// checksums here are computed independently of the code under test.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/ReceiveParser.h"

namespace quelda::test {

inline const std::string kCrLf = "\r\n";

inline uint8_t Xor(const std::string& bytes) {
    uint8_t sum = 0;
    for (char c : bytes) sum ^= static_cast<uint8_t>(c);
    return sum;
}

inline std::string Hex2(uint8_t value, bool lower = false) {
    const char* digits = lower ? "0123456789abcdef" : "0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 0x0F]};
}

// header + "," + body + "*" + checksum + CR LF; header starts with "$".
inline std::string Text(const std::string& body, const std::string& header = "$QVR") {
    std::string covered = header.substr(1) + "," + body;
    return header + "," + body + "*" + Hex2(Xor(covered)) + kCrLf;
}

// The two length bytes of L in the given order (0: low byte first).
inline std::string Len(unsigned L, int order) {
    char low = static_cast<char>(L & 0xFF), high = static_cast<char>(L >> 8);
    return order == 0 ? std::string{low, high} : std::string{high, low};
}

struct Binary {
    std::string wire;   // the bytes on the line
    std::string text;   // the frame text the parser keeps
    std::string block;  // length bytes + data
};

inline Binary Bin(const std::string& lengthBytes, const std::string& data,
                  const std::string& tail = "", const std::string& cmd = "BIN") {
    std::string head = "$QVR," + cmd + ",";
    std::string sum = Hex2(Xor(head.substr(1) + lengthBytes + data + tail));
    return {head + lengthBytes + data + tail + "*" + sum + kCrLf, head + tail + "*" + sum + kCrLf,
            lengthBytes + data};
}

// Records every listener call as one line of text.
class Recorder : public IParserListener {
public:
    std::vector<std::string> events;
    std::string block;

    void OnFrameEnd(const char* text, std::size_t length) override {
        EXPECT_EQ(text[length], '\0');
        m_lastEnd.assign(text, length);
        events.push_back("end " + m_lastEnd);
    }
    void OnFrame(const std::string& command, const char* text, std::size_t length,
                 const uint8_t* data, std::size_t blockCount) override {
        EXPECT_EQ(std::string(text, length), m_lastEnd);
        block.assign(reinterpret_cast<const char*>(data), blockCount);
        events.push_back("frame " + command + " " + std::to_string(blockCount));
    }
    void OnReceiveError(ReceiveError error) override {
        events.push_back(std::string("error ") + ReceiveErrorText(error));
    }

private:
    std::string m_lastEnd;
};

// Expected events of a good frame.
inline std::vector<std::string> Good(const std::string& text, const std::string& command,
                                     std::size_t blockCount = 0) {
    return {"end " + text, "frame " + command + " " + std::to_string(blockCount)};
}

// Expected events of a frame that ends with an error.
inline std::vector<std::string> Bad(const std::string& text, const std::string& error) {
    return {"end " + text, "error " + error};
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline const char kRestart[] = "error During the reception command $ receive error";
inline const char kHeaderError[] = "Received header error";
inline const char kTextLengthError[] = "Receive data length error";
inline const char kBinaryLengthError[] = "Receiving binary data length error";
inline const char kChecksumError[] = "Reception checksum error";
inline const char kCrError[] = "Received data CR error";
inline const char kLfError[] = "It received data LF error";

}  // namespace quelda::test
