// Receive-parser throughput on a mixed stream: text frames of about 40
// bytes and, one in five, binary frames of 64 to 200 bytes, fed in chunks as
// the channel hands them over. Rates are per second of processor time, so
// that other work on a shared machine does not count against the parser.
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FrameCounter.h"
#include "protocol/Frame.h"
#include "protocol/ReceiveParser.h"

namespace {

std::string BinaryFrame(unsigned total, unsigned seed) {
    unsigned L = total - 14;  // "$QVR,BIN," before the block, "*XX" CR LF after it
    std::string body = "BIN,";
    body += static_cast<char>(L & 0xFF);
    body += static_cast<char>(L >> 8);
    for (unsigned i = 2; i < L; ++i) body += static_cast<char>((seed * 31 + i * 7) & 0xFF);
    return quelda::BuildCommandLine("$QVR", body + "*");
}

std::string TextFrame(unsigned i) {
    char fields[64];
    std::snprintf(fields, sizeof fields, "MON1,%05u,%04X,%06u,%03u*", i % 100000, i & 0xFFFF,
                  (i * 7919) % 1000000, i % 1000);
    return quelda::BuildCommandLine("$QVR", fields);
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main() {
    std::string stream;
    long framesPerPass = 0;
    for (unsigned i = 0; stream.size() < (1u << 20); ++i, ++framesPerPass) {
        stream += i % 5 == 4 ? BinaryFrame(64 + (i * 37) % 137, i) : TextFrame(i);
    }
    const std::size_t kChunk = 4096;
    const long passes = (200L << 20) / static_cast<long>(stream.size()) + 1;
    const auto* bytes = reinterpret_cast<const uint8_t*>(stream.data());

    FrameCounter listener;
    quelda::CReceiveParser parser(listener);
    double start = CpuSeconds();
    for (long pass = 0; pass < passes; ++pass) {
        for (std::size_t at = 0; at < stream.size(); at += kChunk) {
            parser.Receive(bytes + at, std::min(kChunk, stream.size() - at));
        }
    }
    double seconds = CpuSeconds() - start;

    if (listener.errors != 0 || listener.frames != framesPerPass * passes) {
        std::fprintf(stderr, "parser bench: %lld frames, %lld errors, %ld frames expected\n",
                     listener.frames, listener.errors, framesPerPass * passes);
        return 1;
    }
    double megabytes = static_cast<double>(stream.size()) * passes / 1e6;
    std::printf("parser_mb_per_s: %.1f\n", megabytes / seconds);
    std::printf("parser_frames_per_s: %.0f\n", listener.frames / seconds);
    return 0;
}
