#include <gtest/gtest.h>

#include <vector>

#include "comm/LineErrors.h"
#include "comm/ParmrkDecoder.h"

namespace quelda {
namespace {

using Bytes = std::vector<uint8_t>;

struct Decoded {
    Bytes data;
    uint32_t flags = 0;
};

// Feeds the input in pieces of the given sizes (the rest in one piece).
Decoded Feed(CParmrkDecoder& decoder, const Bytes& in, const std::vector<std::size_t>& cuts) {
    Decoded result;
    std::size_t pos = 0;
    auto feedPiece = [&](std::size_t n) {
        Bytes out(n + 1);
        uint32_t flags = 0;
        const std::size_t got = decoder.Decode(in.data() + pos, n, out.data(), flags);
        result.data.insert(result.data.end(), out.begin(), out.begin() + got);
        result.flags |= flags;
        pos += n;
    };
    for (std::size_t cut : cuts) feedPiece(cut);
    feedPiece(in.size() - pos);
    return result;
}

struct MarkCase {
    const char* name;
    Bytes in;
    Bytes data;
    uint32_t flags;
};

const MarkCase kCases[] = {
    {"plain", {'$', 'A', '\r', '\n'}, {'$', 'A', '\r', '\n'}, 0},
    {"escaped 0xFF", {0x41, 0xFF, 0xFF, 0x42}, {0x41, 0xFF, 0x42}, 0},
    {"two escaped 0xFF", {0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF}, 0},
    {"damaged byte kept", {0x41, 0xFF, 0x00, 0x43, 0x44}, {0x41, 0x43, 0x44}, CE_RXPARITY},
    {"damaged 0xFF", {0xFF, 0x00, 0xFF}, {0xFF}, CE_RXPARITY},
    {"break", {0x41, 0xFF, 0x00, 0x00, 0x42}, {0x41, 0x42}, CE_BREAK},
    {"break and damaged", {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x31}, {0x31}, CE_BREAK | CE_RXPARITY},
    {"plain NULs", {0x00, 0x00, 0x41}, {0x00, 0x00, 0x41}, 0},
    {"stray escape kept", {0xFF, 0x41}, {0xFF, 0x41}, 0},
};

TEST(ParmrkDecoderTest, MarksSplitAtEveryPosition) {
    for (const auto& c : kCases) {
        for (std::size_t cut = 0; cut <= c.in.size(); ++cut) {
            CParmrkDecoder decoder;
            const Decoded d = Feed(decoder, c.in, {cut});
            EXPECT_EQ(d.data, c.data) << c.name << " cut at " << cut;
            EXPECT_EQ(d.flags, c.flags) << c.name << " cut at " << cut;
        }
    }
}

TEST(ParmrkDecoderTest, ByteByByteKeepsState) {
    CParmrkDecoder decoder;
    const Decoded d =
        Feed(decoder, {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x7E}, {1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(d.data, (Bytes{0xFF, 0x7E}));
    EXPECT_EQ(d.flags, uint32_t(CE_BREAK | CE_RXPARITY));
}

TEST(ParmrkDecoderTest, BinaryBlockWithEveryByteValueArrivesIntact) {
    Bytes block, marked;
    for (int i = 0; i < 512; ++i) {
        const uint8_t b = static_cast<uint8_t>(i * 7);
        block.push_back(b);
        marked.push_back(b);
        if (b == 0xFF) marked.push_back(0xFF);
    }
    CParmrkDecoder decoder;
    const Decoded d = Feed(decoder, marked, {100, 37, 1, 200});
    EXPECT_EQ(d.data, block);
    EXPECT_EQ(d.flags, 0u);
}

}  // namespace
}  // namespace quelda
