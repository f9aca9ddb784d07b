#pragma once
// The receive parser's errors and the one table of the texts they are shown
// and logged with.
namespace quelda {

enum class ReceiveError {
    Restart,       // "$" inside a frame; the new frame starts at once
    Header,        // the header before the first "," is not the receive header
    TextLength,    // the frame text filled the buffer
    BinaryLength,  // the declared or received block does not fit the buffer
    Checksum,      // the two checksum characters do not give the XOR
    Cr,            // another byte where CR belongs
    Lf,            // another byte where LF belongs
};

struct ReceiveErrorEntry {
    ReceiveError error;
    const char* text;
};

// Shown to the user word for word, odd wording included: keep them as they are.
inline constexpr ReceiveErrorEntry kReceiveErrors[] = {
    {ReceiveError::Restart, "During the reception command $ receive error"},
    {ReceiveError::Header, "Received header error"},
    {ReceiveError::TextLength, "Receive data length error"},
    {ReceiveError::BinaryLength, "Receiving binary data length error"},
    {ReceiveError::Checksum, "Reception checksum error"},
    {ReceiveError::Cr, "Received data CR error"},
    {ReceiveError::Lf, "It received data LF error"},
};

// "" for a value that is not in the table.
constexpr const char* ReceiveErrorText(ReceiveError error) {
    for (const ReceiveErrorEntry& entry : kReceiveErrors) {
        if (entry.error == error) return entry.text;
    }
    return "";
}

}  // namespace quelda
