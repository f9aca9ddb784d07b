#include "bintext/BlockBatch.h"

#include <algorithm>

namespace quelda {

void BlockBatch::Clear() {
    data.clear();
    blocks.clear();
    last = false;
    stop = BinTextResult{};
    formatted = 0;
    textSize = 0;
    lines = 0;
    failedBlock = kNoFailure;
    failedOffset = 0;
}

void BlockBatch::Add(const uint8_t* bytes, std::size_t size, uint64_t endPosition, bool converted) {
    blocks.push_back(Block{static_cast<uint32_t>(data.size()), static_cast<uint32_t>(size),
                           static_cast<uint32_t>(endPosition - start), converted});
    data.insert(data.end(), bytes, bytes + size);
}

void BlockBatch::Format(BlockLineWriter& writer) {
    textSize = 0;
    lines = 0;
    const std::size_t room = writer.MaxLineSize();
    for (; !AllFormatted() && textSize < kPieceText; ++formatted) {
        const Block& b = blocks[formatted];
        if (!b.converted) continue;
        if (text.size() < textSize + room) text.resize(std::max(2 * text.size(), textSize + room));
        char* const line = text.data() + textSize;
        const char* end = writer.WriteLine(data.data() + b.at, b.size, line, failedOffset);
        if (!end) {
            failedBlock = formatted;
            return;
        }
        textSize += static_cast<std::size_t>(end - line);
        ++lines;
    }
}

}  // namespace quelda
