#include <gtest/gtest.h>

#include <cstdio>

#include "protocol/Frame.h"
#include "support/ParserTestSupport.h"

namespace quelda::test {
namespace {

TEST(Frame, BuildLine) {
    struct Row {
        std::string text, line;
    } rows[] = {
        {"$A,B*", "$A,B*2F\r\n"},  // A ^ , ^ B; the "$" is not covered
        {"XA,B*", "XA,B*77\r\n"},  // without "$" the first byte is covered
        {"$AB*", "$AB*03\r\n"},    // two digits always
        {"$QVR,DW,100*", "$QVR,DW,100*77\r\n"},
        {"$QVR,X,1*", "$QVR,X,1*3C\r\n"},
        {"*", "*00\r\n"},
        {"$*", "$*00\r\n"},
        {"abc", "abc\r\n"},  // no final "*": no checksum
        {"$A*B", "$A*B\r\n"},
        {"$\xA5\x5A*", "$\xA5\x5A*FF\r\n"},  // upper-case digits
        {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(BuildLine(r.text), r.line) << r.text;
    EXPECT_EQ(LineChecksum("$A,B*"), 0x2F);
    EXPECT_EQ(LineChecksum("$A,B"), 0x2F);
}

TEST(Frame, BuildCommandLine) {
    EXPECT_EQ(BuildCommandLine("$QVR", "DW,100*"), "$QVR,DW,100*77\r\n");
    EXPECT_EQ(BuildCommandLine("QVR", "DW,1*"), "QVR,DW,1*77\r\n");
    EXPECT_EQ(BuildCommandLine("$QVR", "COM"), "$QVR,COM\r\n");
    EXPECT_EQ(BuildCommandLine("$QVR", ""), "");
}

// What is sent is what this parser accepts, whatever the checksum value.
TEST(Frame, SentLinesAreReceived) {
    Recorder recorder;
    CReceiveParser parser(recorder);
    std::vector<std::string> expected;
    for (int i = 0; i < 256; ++i) {
        std::string line = BuildCommandLine("$QVR", "X," + std::string(1, char(i)) + "*");
        if (i == '$' || i == '*') continue;
        parser.Receive(reinterpret_cast<const uint8_t*>(line.data()), line.size());
        expected = expected + Good(line, "X");
    }
    EXPECT_EQ(recorder.events, expected);
}

// Every pair of characters reads as the C library's "%X" reads it.
TEST(Frame, ChecksumDigitsReadLikeScanf) {
    int mismatches = 0;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            char digits[3] = {char(a), char(b), 0};
            unsigned int scanned = 0x12345678, read = 0x12345678;
            bool scanOk = std::sscanf(digits, "%X", &scanned) == 1;
            bool readOk = ReadChecksumDigits(digits, read);
            if (scanOk != readOk || scanned != read) ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
    unsigned int v = 0;
    EXPECT_TRUE(ReadChecksumDigits("0x", v));
    EXPECT_EQ(v, 0u);
    EXPECT_FALSE(ReadChecksumDigits("x0", v));
}

}  // namespace
}  // namespace quelda::test
