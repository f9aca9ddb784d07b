// Converter throughput: a binary log of at least 200 MB with twenty typed
// fields per block, converted to CSV in a scratch directory.
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bintext/BinTextConverter.h"

namespace {

constexpr uint64_t kTargetBytes = 200ull * 1024 * 1024;

const char* const kDefinition =
    "Col,Name,Type,Scale,Format,Disp,Unit,X,Y,File,Offset\n"
    "1,Mode,UCHAR,1,%d,INT4,,0,0,,\n"
    "2,Trim,CHAR,1,%d,INT4,,0,1,,\n"
    "3,Speed,INT2LE,1,%d,INT4,rpm,0,2,,\n"
    "4,Count,UINT2LE,1,%u,UINT,,0,3,,\n"
    "5,Torque,INT2BE,0.01,%.2f,FLOAT,Nm,0,4,,\n"
    "6,Temp,UINT2BE,0.1,%5.1f,FLOAT,C,0,5,,-40\n"
    "7,Pos,INT4LE,1,%d,INT4,,0,6,,\n"
    "8,Ticks,UINT4LE,1,%u,UINT4,,0,7,,\n"
    "9,Flags,INT4BE,1,%08X,UINT4,,0,8,,\n"
    "10,Energy,UINT4BE,0.001,%.3f,FLOAT,kWh,0,9,,\n"
    "11,Volt,FLOAT4LE,1,%.3f,FLOAT,V,0,10,,\n"
    "12,Amp,FLOAT4BE,1,%.2f,FLOAT,A,0,11,,\n"
    "13,Power,FLOAT8LE,1,%.4f,FLOAT,W,0,12,,\n"
    "14,Gain,FLOAT8BE,1,%g,FLOAT,,0,13,,\n"
    "15,Dsp,FLOATDSP,1,%.3f,FLOAT,,0,14,,\n"
    "16,Ratio,INT2LE,0.1,%.1f,FLOAT,%,0,15,,\n"
    "17,Raw,UINT4LE,1,%x,UINT4,,0,16,,\n"
    "18,State,UCHAR,1,%d,STATUS,,0,17,STATE.TXT,\n"
    "19,Delta,INT2LE,1,%+6d,INT4,,0,18,,\n"
    "20,Noise,FLOAT4LE,1,%e,FLOAT,,0,19,,\n";

constexpr std::size_t kBlockData =
    1 + 1 + 2 + 2 + 2 + 2 + 4 + 4 + 4 + 4 + 4 + 4 + 8 + 8 + 4 + 2 + 4 + 1 + 2 + 4;

// Little helpers that lay out values of a plausible device block.
struct BlockWriter {
    uint8_t* p;
    void Le(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) *p++ = static_cast<uint8_t>(v >> (8 * i));
    }
    void Be(uint64_t v, int n) {
        for (int i = n - 1; i >= 0; --i) *p++ = static_cast<uint8_t>(v >> (8 * i));
    }
    void F4(float f, bool big) {
        uint32_t b;
        std::memcpy(&b, &f, 4);
        big ? Be(b, 4) : Le(b, 4);
    }
    void F8(double d, bool big) {
        uint64_t b;
        std::memcpy(&b, &d, 8);
        big ? Be(b, 8) : Le(b, 8);
    }
};

void FillBlock(uint8_t* block, uint64_t n) {
    uint64_t r = n * 6364136223846793005ull + 1442695040888963407ull;
    r ^= r >> 29;
    const double t = static_cast<double>(n) * 0.001;
    block[0] = static_cast<uint8_t>(kBlockData + 2);
    block[1] = 0;
    BlockWriter w{block + 2};
    w.Le(n % 4, 1);
    w.Le(static_cast<uint64_t>(static_cast<int8_t>(r & 0xFF)), 1);
    w.Le(static_cast<uint64_t>(static_cast<int16_t>(1500 * std::sin(t))), 2);
    w.Le(n & 0xFFFF, 2);
    w.Be(static_cast<uint64_t>(static_cast<int16_t>(r % 20000)), 2);
    w.Be(600 + (r % 300), 2);
    w.Le(static_cast<uint64_t>(static_cast<int32_t>(r)), 4);
    w.Le(n, 4);
    w.Be(r >> 7, 4);
    w.Be(n * 13, 4);
    w.F4(static_cast<float>(230.0 + 5 * std::sin(t)), false);
    w.F4(static_cast<float>(12.5 + std::cos(t)), true);
    w.F8(2875.0 + (r % 1000) * 0.125, false);
    w.F8(1.0 + (r % 100) * 1e-3, true);
    w.Be(0x01400000u + (r & 0xFFFF), 4);
    w.Le(r % 1000, 2);
    w.Le(r >> 32, 4);
    w.Le(r % 3, 1);
    w.Le(static_cast<uint64_t>(static_cast<int16_t>((r % 201) - 100)), 2);
    w.F4(static_cast<float>((r % 1000) * 1e-6), false);
}

double CpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

uint64_t WriteLog(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fputs("header line\r\n", f);
    std::vector<uint8_t> chunk;
    uint8_t block[kBlockData + 2];
    uint64_t blocks = 0;
    for (uint64_t written = 0; written < kTargetBytes;) {
        chunk.clear();
        for (int i = 0; i < 16384; ++i, ++blocks) {
            FillBlock(block, blocks);
            chunk.insert(chunk.end(), block, block + sizeof block);
        }
        written += std::fwrite(chunk.data(), 1, chunk.size(), f);
    }
    std::fclose(f);
    return blocks;
}

}  // namespace

int main() {
    std::string dir = (std::filesystem::temp_directory_path() / "quelda-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data())) return 1;
    dir += "/";
    {
        std::FILE* def = std::fopen((dir + "DEF.TXT").c_str(), "wb");
        std::FILE* st = std::fopen((dir + "STATE.TXT").c_str(), "wb");
        if (!def || !st) return 1;
        std::fputs(kDefinition, def);
        std::fputs("title\nState,0-1,0,IDLE,0,0,255,0,0\nState,0-1,others,RUN,0,255,0,0,0\n", st);
        std::fclose(def);
        std::fclose(st);
    }
    const uint64_t blocks = WriteLog(dir + "LOG.BIN");
    const uint64_t bytes = std::filesystem::file_size(dir + "LOG.BIN");

    quelda::BinTextRequest request;
    request.binaryFile = dir + "LOG.BIN";
    request.definitionFile = dir + "DEF.TXT";
    request.outputFile = dir + "OUT.CSV";
    request.appDir = dir;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    const quelda::BinTextResult r = quelda::BinTextConverter().Convert(request);
    const double cpuSeconds = CpuSeconds() - cpuStart;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const uint64_t outBytes = std::filesystem::file_size(dir + "OUT.CSV");
    std::filesystem::remove_all(dir);

    if (r.outcome != quelda::BinTextResult::Outcome::Completed || r.lines != blocks) {
        std::fprintf(stderr, "conversion failed: %s\n", r.message.c_str());
        return 1;
    }
    std::printf("bin2csv_input_mb: %.1f\n", bytes / 1e6);
    std::printf("bin2csv_output_mb: %.1f\n", outBytes / 1e6);
    std::printf("bin2csv_mb_per_s: %.1f\n", bytes / 1e6 / seconds);
    std::printf("bin2csv_blocks_per_s: %.0f\n", blocks / seconds);
    // the same per second of this process's processor time (all its threads
    // together), which a busy machine disturbs less than the wall clock
    std::printf("bin2csv_cpu_mb_per_s: %.1f\n", bytes / 1e6 / cpuSeconds);
    return 0;
}
