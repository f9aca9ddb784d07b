// Bytes in, listener events out, grouped by the state in which the case is
// decided. Every case is fed byte by byte and in chunks of several sizes; the
// events must not depend on how the bytes arrive.
#include <gtest/gtest.h>

#include "protocol/ReceiveParser.h"
#include "support/ParserTestSupport.h"

namespace quelda::test {
namespace {

struct Options {
    std::string header = "$QVR";
    std::string binary = "BIN";
    int order = 0;
};

struct Case {
    std::string name;
    std::string input;
    std::vector<std::string> events;
    int state = 0;
    Options options = {};
};

std::vector<std::string> Feed(const Case& c, std::size_t chunk, int* state) {
    Recorder recorder;
    CReceiveParser parser(recorder);
    parser.SetReceiveHeader(c.options.header);
    parser.SetBinaryCommand(c.options.binary);
    parser.SetBinLengthFormat(c.options.order);
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.input.data());
    for (std::size_t at = 0; at < c.input.size(); at += chunk) {
        std::size_t n = std::min(chunk, c.input.size() - at);
        if (chunk == 1) {
            parser.ReceiveByte(bytes[at]);
        } else {
            parser.Receive(bytes + at, n);
        }
        EXPECT_GE(parser.State(), 0);
        EXPECT_LE(parser.State(), 7);
    }
    *state = parser.State();
    return recorder.events;
}

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        for (std::size_t chunk :
             {std::size_t{1}, std::size_t{3}, std::size_t{64}, std::size_t{1} << 20}) {
            SCOPED_TRACE(c.name + ", chunk " + std::to_string(chunk));
            int state = -1;
            EXPECT_EQ(Feed(c, chunk, &state), c.events);
            EXPECT_EQ(state, c.state);
        }
    }
}

std::vector<std::string> Restarts(int n) { return std::vector<std::string>(n, kRestart); }

const std::string kAck = Text("ACK");
const std::vector<std::string> kAckGood = Good(kAck, "ACK");

// A text frame "$QVR,T,<c>*<digits>CR LF" whose XOR is target, so that any
// two checksum characters can be tried.
std::string WithSum(uint8_t target, const std::string& digits) {
    char c = static_cast<char>(target ^ Xor("QVR,T,"));
    return "$QVR,T," + std::string(1, c) + "*" + digits + kCrLf;
}

TEST(ReceiveParser, HelperFramesMatchHandComputedChecksums) {
    EXPECT_EQ(kAck, "$QVR,ACK*30\r\n");
    EXPECT_EQ(Bin(Len(2, 0), "").wire, std::string("$QVR,BIN,\x02\x00*", 12) + "12\r\n");
}

TEST(ReceiveParser, WaitForStart) {
    RunCases({
        {"noise and NUL before the start", std::string("xyz\n\r\0*", 7) + kAck, kAckGood},
        {"lone LF", "\n", {}},
        {"bytes between frames", kAck + "junk*30\r\n," + kAck, kAckGood + kAckGood},
        {"a start alone", "$", {}, 1},
        {"$ storm before a frame", "$$$$" + kAck, Restarts(4) + kAckGood},
        {"long $ storm", std::string(5000, '$'), Restarts(4999), 1},
    });
}

TEST(ReceiveParser, Header) {
    Options bare{"QVR"}, withComma{"$Q,R"}, empty{""}, dollar{"$"}, odd{"$A*\r\n"};
    RunCases({
        {"other header", "$ABC,ACK*00\r\n", Bad("$ABC,", kHeaderError)},
        {"header too short", "$QV,ACK*00\r\n", Bad("$QV,", kHeaderError)},
        {"header too long", "$QVRX,ACK*00\r\n", Bad("$QVRX,", kHeaderError)},
        {"header case matters", "$qvr,ACK*00\r\n", Bad("$qvr,", kHeaderError)},
        {"star CR LF are header text", "$Q*\r\n,", Bad("$Q*\r\n,", kHeaderError)},
        {"header made of star CR LF", Text("ACK", "$A*\r\n"), Good(Text("ACK", "$A*\r\n"), "ACK"),
         0, odd},
        {"receive header without $ fails every frame", kAck + kAck,
         Bad("$QVR,", kHeaderError) + Bad("$QVR,", kHeaderError), 0, bare},
        {"header holding a comma never matches", Text("ACK", "$Q,R"), Bad("$Q,", kHeaderError), 0,
         withComma},
        {"empty header never matches", Text("ACK", "$"), Bad("$,", kHeaderError), 0, empty},
        {"header of $ alone", Text("ACK", "$"), Good(Text("ACK", "$"), "ACK"), 0, dollar},
        {"$ in the header restarts", "$QV" + kAck, Restarts(1) + kAckGood},
    });
}

TEST(ReceiveParser, Command) {
    RunCases({
        {"ACK frame", kAck, kAckGood},
        {"empty command", Text(""), Good(Text(""), "")},
        {"command ends at comma", Text("DW,100"), Good(Text("DW,100"), "DW")},
        {"$ in the command restarts", "$QVR,AC" + kAck, Restarts(1) + kAckGood},
        {"$ right after the header restarts", "$QVR," + kAck, Restarts(1) + kAckGood},
    });
}

TEST(ReceiveParser, TextFields) {
    std::string special = Text(std::string("X,a\r\n\0,b", 8));
    RunCases({
        {"fields keep their commas", Text("DW,1,2,,3"), Good(Text("DW,1,2,,3"), "DW")},
        {"CR LF NUL inside fields", special, Good(special, "X")},
        {"unfinished request then ACK", "$QVR,DW,1" + kAck, Restarts(1) + kAckGood},
        {"field text up to star only", "$QVR,DW,1", {}, 3},
    });
}

std::vector<Case> BinaryLengthCases(int order) {
    Options o{"$QVR", "BIN", order};
    std::string head = "$QVR,BIN,", tag = " order " + std::to_string(order);
    std::vector<Case> cases;
    for (unsigned L : {0u, 1u, 2u}) {
        Binary b = Bin(Len(L, order), "");
        cases.push_back({"L " + std::to_string(L) + tag, b.wire, Good(b.text, "BIN", 2), 0, o});
    }
    Binary b4095 = Bin(Len(4095, order), std::string(4093, '\x5A'));
    cases.push_back({"L 4095" + tag, b4095.wire, Good(b4095.text, "BIN", 4095), 0, o});
    std::string l4096 = head + Len(4096, order);
    cases.push_back({"L 4096 one byte short" + tag, l4096 + std::string(4093, 'd'), {}, 4, o});
    cases.push_back({"L 4096 fails at its last byte" + tag, l4096 + std::string(4094, 'd') + kAck,
                     Bad(head, kBinaryLengthError) + kAckGood, 0, o});
    for (unsigned L : {4097u, 5000u, 65535u}) {
        cases.push_back({"L " + std::to_string(L) + tag, head + Len(L, order) + "xyz" + kAck,
                         Bad(head, kBinaryLengthError) + kAckGood, 0, o});
    }
    return cases;
}

TEST(ReceiveParser, BinaryLengths) {
    RunCases(BinaryLengthCases(0));
    RunCases(BinaryLengthCases(1));
    Options msb{"$QVR", "BIN", 1};
    Binary low = Bin(std::string("\x0A\x00", 2), std::string(8, 'q'));
    Binary high = Bin(std::string("\x0A\x00", 2), std::string(2558, 'q'));
    RunCases({
        {"0A 00 low byte first is 10", low.wire, Good(low.text, "BIN", 10)},
        {"0A 00 high byte first is 2560", high.wire, Good(high.text, "BIN", 2560), 0, msb},
        {"0A 00 high byte first wants more data", low.wire, {}, 4, msb},
    });
}

TEST(ReceiveParser, BinaryBlock) {
    std::string special("$*\r\n,\0$QVR,ACK*30\r\n", 19);
    Binary spec = Bin(Len(21, 0), special);
    Binary tail = Bin(Len(2, 0), "", ",more$text");
    Binary dollarLength = Bin(std::string("$\0", 2), std::string(34, '*'));
    Binary renamed = Bin(Len(3, 0), "z", "", "MON3");
    Binary big = Bin(Len(4095, 0), std::string(4093, '\0'), std::string(4081, 't'));
    std::string head = "$QVR,BIN,";
    std::string noLengthSum = head + Len(5, 0) + "abc*" + Hex2(Xor("QVR,BIN,abc")) + kCrLf;
    std::string noDataSum = head + Len(5, 0) + "abc*" + Hex2(Xor("QVR,BIN," + Len(5, 0))) + kCrLf;
    Options mon3{"$QVR", "MON3", 0};
    RunCases({
        {"block bytes are never special", spec.wire, Good(spec.text, "BIN", 21)},
        {"text after the block, $ included", tail.wire, Good(tail.text, "BIN", 2)},
        {"$ as a length byte", dollarLength.wire, Good(dollarLength.text, "BIN", 36)},
        {"checksum covers the length bytes", noLengthSum,
         Bad(noLengthSum.substr(0, 9) + "*" + noLengthSum.substr(15, 2), kChecksumError)},
        {"checksum covers the data bytes", noDataSum,
         Bad(noDataSum.substr(0, 9) + "*" + noDataSum.substr(15, 2), kChecksumError)},
        {"binary command ending at star", Text("BIN"), Good(Text("BIN"), "BIN")},
        {"name compare is case-sensitive", Text("bin,xy"), Good(Text("bin,xy"), "bin")},
        {"longer name is text", Text("BINX,xy"), Good(Text("BINX,xy"), "BINX")},
        {"shorter name is text", Text("BI,xy"), Good(Text("BI,xy"), "BI")},
        {"renamed: old name is text", Text("BIN,xy"), Good(Text("BIN,xy"), "BIN"), 0, mon3},
        {"renamed: new name has a block", renamed.wire, Good(renamed.text, "MON3", 3), 0, mon3},
        {"largest block and long tail", big.wire, Good(big.text, "BIN", 4095)},
        {"tail text reaching the text limit", head + Len(2, 0) + std::string(4087, 't'),
         Bad(head + std::string(4087, 't'), kTextLengthError)},
    });
}

TEST(ReceiveParser, BinaryBlockReachesListenerIntact) {
    Recorder recorder;
    CReceiveParser parser(recorder);
    std::string data("$*\r\n,\0\xff", 7);
    Binary b = Bin(Len(9, 0), data);
    parser.Receive(reinterpret_cast<const uint8_t*>(b.wire.data()), b.wire.size());
    EXPECT_EQ(recorder.block, Len(9, 0) + data);
}

TEST(ReceiveParser, ChecksumDigits) {
    auto good = [](uint8_t sum, const std::string& digits) {
        std::string f = WithSum(sum, digits);
        return Case{"digits [" + digits + "]", f, Good(f, "T")};
    };
    auto bad = [](uint8_t sum, const std::string& digits) {
        std::string f = WithSum(sum, digits);
        return Case{"digits [" + digits + "]", f, Bad(f.substr(0, f.size() - 2), kChecksumError)};
    };
    RunCases({
        good(0xAB, "ab"),
        good(0xAB, "aB"),
        good(0x0A, " A"),
        good(0x0A, "\tA"),
        good(0x0A, "A "),
        good(0x01, "1G"),
        good(0x0A, "+A"),
        good(0xFF, "-1"),
        good(0xF6, "-A"),
        good(0x00, "0x"),
        good(0x00, "0X"),
        bad(0xAC, "AB"),
        bad(0x00, "x0"),
        bad(0x00, "  "),
        bad(0x00, "G0"),
        bad(0x00, "+ "),
        bad(0x00, "-x"),
        bad(0x0A, std::string("\0A", 2)),
        {"digit then CR is one digit", WithSum(0x0A, "A\r"), Good(WithSum(0x0A, "A\r"), "T")},
        {"$ as the first digit", "$QVR,ACK*" + kAck, Restarts(1) + kAckGood},
        {"$ as the second digit", "$QVR,ACK*3" + kAck, Restarts(1) + kAckGood},
        {"rest of a bad frame is ignored", "$QVR,ACK*31\r\n" + kAck,
         Bad("$QVR,ACK*31", kChecksumError) + kAckGood},
    });
}

TEST(ReceiveParser, LineEnd) {
    RunCases({
        {"other byte instead of CR", "$QVR,ACK*30X", Bad("$QVR,ACK*30X", kCrError)},
        {"LF instead of CR", "$QVR,ACK*30\n", Bad("$QVR,ACK*30\n", kCrError)},
        {"$ instead of CR", "$QVR,ACK*30" + kAck, Restarts(1) + kAckGood},
        {"other byte instead of LF", "$QVR,ACK*30\rX", Bad("$QVR,ACK*30\rX", kLfError)},
        {"CR twice", "$QVR,ACK*30\r\r\n", Bad("$QVR,ACK*30\r\r", kLfError)},
        {"$ instead of LF", "$QVR,ACK*30\r" + kAck, Restarts(1) + kAckGood},
    });
}

TEST(ReceiveParser, TextLengthLimit) {
    std::string longest = Text("X," + std::string(4083, 'a'));
    std::string tooLong = Text("X," + std::string(4084, 'a'));
    std::string longHeader = "$" + std::string(4095, 'H');
    ASSERT_EQ(longest.size(), 4095u);
    RunCases({
        {"4095 bytes are accepted", longest, Good(longest, "X")},
        {"4096 bytes fail at the LF", tooLong + kAck, Bad(tooLong, kTextLengthError) + kAckGood},
        {"endless header", longHeader + "HHH" + kAck, Bad(longHeader, kTextLengthError) + kAckGood},
    });
}

// The monitor window may rename the binary command between two received
// bytes, right after the command of a frame.
TEST(ReceiveParser, BinaryNameChangeTakesEffectAtOnce) {
    Recorder recorder;
    CReceiveParser parser(recorder);
    std::string head = "$QVR,MON3,";
    parser.Receive(reinterpret_cast<const uint8_t*>(head.data()), head.size());
    EXPECT_EQ(parser.State(), CReceiveParser::kAfterCommand);
    parser.SetBinaryCommand("MON3");
    Binary b = Bin(Len(3, 0), "z", "", "MON3");
    std::string rest = b.wire.substr(head.size());
    parser.Receive(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
    EXPECT_EQ(recorder.events, Good(b.text, "MON3", 3));
}

}  // namespace
}  // namespace quelda::test
