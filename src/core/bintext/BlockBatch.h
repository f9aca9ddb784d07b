#pragma once
// A run of consecutive blocks of a binary log, read together so that they
// can be turned into CSV text on any thread: the blocks' data bytes, where
// each block ends in the file, and, once formatted, their lines.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bintext/BinTextConverter.h"
#include "bintext/BlockLineWriter.h"

namespace quelda {

struct BlockBatch {
    struct Block {
        uint32_t at;    // where its data bytes start in data
        uint32_t size;  // how many there are
        uint32_t end;   // file bytes from the batch's start through this block
        bool converted;
    };
    static constexpr std::size_t kNoFailure = static_cast<std::size_t>(-1);

    // Filled by the reader.
    uint64_t start = 0;  // file position where the batch begins
    std::vector<uint8_t> data;
    std::vector<Block> blocks;
    bool last = false;   // reading ended in this batch, as stop tells
    BinTextResult stop;  // Completed: the file ended cleanly

    // Filled by Format, a piece at a time.
    std::size_t formatted = 0;  // blocks done by the pieces so far
    std::vector<char> text;     // the piece's lines, in text[0 .. textSize)
    std::size_t textSize = 0;
    std::size_t lines = 0;                 // in the piece
    std::size_t failedBlock = kNoFailure;  // the first block with a field outside
    long long failedOffset = 0;            // where that field starts

    void Clear();
    // Appends a block's data bytes.
    void Add(const uint8_t* bytes, std::size_t size, uint64_t endPosition, bool converted);
    // The next piece: the lines of the converted blocks after those
    // formatted, until all are done, one has a field outside, or the text
    // has grown to about kPieceText bytes (lines can be long).
    void Format(BlockLineWriter& writer);
    bool AllFormatted() const { return formatted == blocks.size(); }

    static constexpr std::size_t kPieceText = 1 << 20;
};

}  // namespace quelda
