// Received frames per second of processor time through the main core: the
// terminal display hooks, the parser and the routing over a typical set of
// open windows (terminal, monitors 1-4, status, simulator), with a host
// that does nothing with what it is given. No port: bytes are fed directly.
//
// Usage: bench-routing [megabytes]   (default 20)
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "protocol/Frame.h"
#include "routing/MainCore.h"

namespace {

using quelda::ViewInfo;
using quelda::WindowKind;

class NullHost : public quelda::IMainHost {
public:
    long long broadcasts = 0;
    void StartTimer(quelda::ITimerClient&, int, int) override {}
    void KillTimer(quelda::ITimerClient&, int) override {}
    void ShowPrompt(const quelda::Prompt&, std::function<void(bool)>) override {}
    void AddLine(const std::string&, int) override {}
    void ReplaceLast(const std::string&, int) override {}
    bool HasDocument() const override { return true; }
    std::vector<ViewInfo> Views() const override {
        return {{WindowKind::Term, ""},         {WindowKind::Monitor1, "MON1"},
                {WindowKind::Monitor2, "MON2"}, {WindowKind::Monitor3, "BIN"},
                {WindowKind::Monitor4, ""},     {WindowKind::Status, "STS"},
                {WindowKind::Simulator, ""}};
    }
    void Broadcast(int, const uint8_t*, std::size_t) override { ++broadcasts; }
    void ConnectionChanged() override {}
    void SetTitle(const std::string&) override {}
    void PortOpenFailed(const std::string&) override {}
    void PostCommNotify() override {}
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Answers of a polling monitor set: three text frames and one binary block.
std::string MakeChunk() {
    std::string chunk = quelda::BuildLine("$QVR,MON1,12.5,300,7F*") +
                        quelda::BuildLine("$QVR,MON2,1,2,3,4,5,6,7,8*") +
                        quelda::BuildLine("$QVR,STS,0000A5F0*");
    std::string block(62, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7);
    chunk += quelda::BuildLine("$QVR,BIN," + std::string("\x40\x00", 2) + block + "*");
    return chunk;
}

}  // namespace

int main(int argc, char** argv) {
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 20.0;
    NullHost host;
    quelda::CMainCore core(host, "/nonexistent/");
    const std::string chunk = MakeChunk();
    const auto total = static_cast<long long>(megabytes * 1024 * 1024);
    long long bytes = 0, chunks = 0;
    const double start = CpuSeconds();
    while (bytes < total) {
        for (char c : chunk) core.ReceiveByte(static_cast<uint8_t>(c));
        bytes += static_cast<long long>(chunk.size());
        ++chunks;
    }
    const double seconds = CpuSeconds() - start;
    std::printf("routing_frames_per_cpu_second: %.0f\n", 4.0 * chunks / seconds);
    std::printf("routing_megabytes_per_cpu_second: %.1f\n", bytes / seconds / 1048576.0);
    std::printf("routing_broadcasts_per_frame: %.2f\n",
                static_cast<double>(host.broadcasts) / (4.0 * chunks));
    return 0;
}
