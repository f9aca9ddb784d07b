// Runs a fuzz target without libFuzzer: a fixed-seed mix of good frames,
// damaged frames, noise and "$" storms, then every file named on the command
// line. Usage: <target> [streams=20000] [file...]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzRandom.h"
#include "ParserFuzzOptions.h"
#include "text/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::string;

using Random = FuzzRandom;

const char kHex[] = "0123456789ABCDEF";

// "$" + header + "," + body + "*" + checksum + CR LF, covering extra bytes
// that travel outside the text (a block).
Bytes Frame(const std::string& header, const Bytes& body) {
    Bytes wire = (header.empty() || header[0] != '$' ? "$" + header : header) + "," + body;
    uint8_t sum = 0;
    for (std::size_t i = 1; i < wire.size(); ++i) sum ^= static_cast<uint8_t>(wire[i]);
    return wire + "*" + kHex[sum >> 4] + kHex[sum & 15] + "\r\n";
}

// Printable, but never "$" or "*", so that most text frames are good.
char FieldChar(Random& rnd) {
    char c = static_cast<char>(' ' + rnd.Below(90));
    return c == '$' || c == '*' ? '_' : c;
}

Bytes TextBody(Random& rnd) {
    static const char* const kCommands[] = {"ACK", "NAK",  "DW",  "DB",  "SUM",
                                            "COM", "MON3", "BIN", "bin", ""};
    Bytes body = kCommands[rnd.Below(10)];
    for (std::size_t n = rnd.Below(5); n > 0; --n) {
        body += ",";
        for (std::size_t k = rnd.Below(12); k > 0; --k) body += FieldChar(rnd);
    }
    return body;
}

std::size_t BlockLength(Random& rnd) {
    static const std::size_t kEdges[] = {0, 1, 2, 3, 4094, 4095, 4096, 4097, 5000, 65535};
    return rnd.Below(4) == 0 ? kEdges[rnd.Below(10)] : rnd.Below(300);
}

Bytes BinaryBody(Random& rnd, const quelda::fuzz::ParserFuzzOptions& o) {
    std::size_t L = BlockLength(rnd);
    char low = static_cast<char>(L & 0xFF), high = static_cast<char>((L >> 8) & 0xFF);
    Bytes body = std::string(o.binary) + ",";
    body += o.lengthOrder == 0 ? Bytes{low, high} : Bytes{high, low};
    body += rnd.Noise(L > 2 ? (L < 5000 ? L - 2 : 100) : 0);
    if (rnd.Below(4) == 0) body += ",tail";
    return body;
}

void Damage(Random& rnd, Bytes& frame) {
    if (frame.empty()) return;
    std::size_t at = rnd.Below(frame.size());
    switch (rnd.Below(4)) {
        case 0:
            frame[at] = rnd.Byte();
            break;
        case 1:
            frame.erase(at, 1);
            break;
        case 2:
            frame.insert(at, 1, rnd.Below(2) ? '$' : rnd.Byte());
            break;
        default:
            frame.resize(at);
            break;
    }
}

Bytes Piece(Random& rnd, const quelda::fuzz::ParserFuzzOptions& o) {
    std::string header = rnd.Below(8) == 0 ? "$QVR" : o.header;
    switch (rnd.Below(10)) {
        case 0:
            return rnd.Noise(rnd.Below(40));
        case 1:
            return Bytes(1 + rnd.Below(30), '$');
        case 2:
        case 3:
            return Frame(header, BinaryBody(rnd, o));
        case 4:
            return Frame(header, "X," + Bytes(4078 + rnd.Below(10), 'a'));  // about the text limit
        default:
            break;
    }
    Bytes frame = Frame(header, TextBody(rnd));
    if (rnd.Below(3) == 0) Damage(rnd, frame);
    return frame;
}

Bytes Stream(Random& rnd) {
    Bytes stream(1, rnd.Byte());
    quelda::fuzz::ParserFuzzOptions o =
        quelda::fuzz::DecodeOptions(static_cast<uint8_t>(stream[0]));
    for (std::size_t n = 1 + rnd.Below(8); n > 0; --n) {
        Bytes piece = Piece(rnd, o);
        if (rnd.Below(6) == 0) Damage(rnd, piece);
        stream += piece;
    }
    return stream;
}

int Run(const Bytes& input) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    long streams = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    Random rnd(0x5155454C4441ull);
    for (long i = 0; i < streams; ++i) Run(Stream(rnd));
    for (int i = 2; i < argc; ++i) {
        Bytes content;
        if (!quelda::ReadFileBytes(argv[i], content)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        Run(content);
    }
    std::printf("%ld generated streams and %d files passed\n", streams, argc > 2 ? argc - 2 : 0);
    return 0;
}
