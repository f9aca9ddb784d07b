#pragma once
// Turns monitor 3's binary log into CSV text: a header line of item names,
// then one line of value texts for every N-th block.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace quelda {

struct BinTextRequest {
    std::string binaryFile;
    std::string definitionFile;  // typed-block form, any path
    std::string outputFile;      // created anew
    int rate = 1;                // blocks 0, N, 2N, ... are converted
    int lengthFormat = 0;        // 0: length low byte first, else high byte first
    std::string appDir;          // where status tables are looked up; ends in "/"
    // Set from any thread to end the conversion early; the output then
    // holds the header and the complete lines of the blocks before.
    const std::atomic<bool>* stop = nullptr;
};

struct BinTextResult {
    enum class Outcome {
        Completed,        // every block read and converted
        RateInvalid,      // N <= 0; no file touched
        LengthInvalid,    // a block length below 2
        FieldOutside,     // an item's field does not lie inside a converted block
        IncompleteBlock,  // the file ends inside a length or a block
        FileError,        // a file cannot be opened, read or written
        Stopped,          // the request's stop flag was set
    };
    Outcome outcome = Outcome::Completed;
    std::string message;  // the text shown to the user; empty when completed
    uint64_t blocks = 0;  // blocks read
    uint64_t lines = 0;   // data lines written

    // The dialog stays open for the rate and block-length messages, and
    // after a stop so that the user may convert again; it closes otherwise.
    bool KeepsDialogOpen() const {
        return outcome == Outcome::RateInvalid || outcome == Outcome::LengthInvalid ||
               outcome == Outcome::Stopped;
    }
};

class BinTextConverter {
public:
    // Called on the caller's thread as the binary file is read (at the
    // start, after the header line and after every block, in file order)
    // with the bytes read so far and the file's size.
    using Progress = std::function<void(uint64_t done, uint64_t total)>;

    // Blocks are formatted on helper threads as well as the caller's; the
    // output is the same as one thread's.

    BinTextResult Convert(const BinTextRequest& request, const Progress& progress = {});
};

}  // namespace quelda
