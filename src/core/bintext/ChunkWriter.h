#pragma once
// Output of large chunks to one file with plain system calls.
#include <cstddef>
#include <string>

namespace quelda {

class ChunkWriter {
public:
    ChunkWriter() = default;
    ~ChunkWriter();
    ChunkWriter(const ChunkWriter&) = delete;
    ChunkWriter& operator=(const ChunkWriter&) = delete;

    // Creates the file anew (an existing one is emptied).
    bool Open(const std::string& path);
    // Writes all n bytes; false on a write error (and after one).
    bool Write(const char* data, std::size_t n);
    // Closes the file; false when a write or the close failed.
    bool Close();

private:
    int m_fd = -1;
    bool m_failed = false;
};

}  // namespace quelda
