#pragma once
// Sequential, buffered reading of a binary log: its header line, then
// blocks. Memory stays at one fixed read buffer whatever the file's size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quelda {

class BinaryLogReader {
public:
    BinaryLogReader() = default;
    ~BinaryLogReader();
    BinaryLogReader(const BinaryLogReader&) = delete;
    BinaryLogReader& operator=(const BinaryLogReader&) = delete;

    bool Open(const std::string& path);
    uint64_t FileSize() const { return m_fileSize; }
    uint64_t Position() const { return m_position; }
    bool Failed() const { return m_failed; }  // a read error happened

    // Consumes bytes up to and including the first LF (or to the end).
    void SkipHeaderLine();

    // The next n bytes (n up to kMaxTake) in place, valid until the next
    // call; got tells how many there are, fewer only at the end of the file
    // or on a read error.
    static constexpr std::size_t kMaxTake = 1 << 16;
    const uint8_t* Take(std::size_t n, std::size_t& got);

private:
    bool Fill();    // reads more after m_end
    bool Refill();  // drops what is buffered and reads anew
    // Moves the unread bytes to the front and reads until n are there.
    void Gather(std::size_t n);

    int m_fd = -1;
    uint64_t m_fileSize = 0;
    uint64_t m_position = 0;
    bool m_failed = false;
    std::vector<uint8_t> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

}  // namespace quelda
