// Frames per second carried from a pseudo-terminal writer through the serial
// channel, its notification and the receive parser, the way the desktop
// runs: the notification only wakes a consumer thread, which takes the
// status, reads everything waiting in one go and feeds the parser. The
// writer keeps at most kInFlight bytes ahead of the consumer, so the figure
// is the rate sustained without loss, not an overflow test. Then a paced
// run of 40-byte frames at 5,000 frames/s gives the notifications per second
// and the share of a core the channel and its reader take, and single
// frames after a quiet spell give the latency of one answer.
//
// Usage: bench-e2e [seconds]   (default 10)
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FrameCounter.h"
#include "comm/ComPort.h"
#include "protocol/Frame.h"
#include "protocol/ReceiveParser.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kInFlight = 256 * 1024;
constexpr int kFramesPerChunk = 200;

// One chunk as a device answering a poll loop would send it: mostly text
// answers, every fifth a binary block whose bytes cover 0x00..0xFF.
std::string MakeChunk() {
    std::string chunk;
    for (int i = 0; i < kFramesPerChunk; ++i) {
        if (i % 5 == 4) {
            const unsigned length = 40 + i % 60;
            std::string body = "BIN,";
            body += static_cast<char>(length & 0xFF);
            body += static_cast<char>(length >> 8);
            for (unsigned k = 2; k < length; ++k)
                body += static_cast<char>((i * 13 + k * 29) & 0xFF);
            chunk += quelda::BuildCommandLine("$QVR", body + "*");
        } else {
            chunk += quelda::BuildCommandLine("$QVR", "MON" + std::to_string(1 + i % 4) + "," +
                                                          std::to_string(i * 7919) + "," +
                                                          std::to_string(i % 977) + ".25,1F3A*");
        }
    }
    return chunk;
}

// Wakes the consumer: what the posted message does in the desktop.
class Mailbox {
public:
    std::atomic<long long> posts{0};
    void Post() {
        ++posts;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bPosted = true;
        m_cv.notify_one();
    }
    // False when told to stop and nothing was posted.
    bool Wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait(lock, [&] { return m_bPosted || m_bStop; });
        const bool posted = m_bPosted;
        m_bPosted = false;
        return posted || !m_bStop;
    }
    void Stop() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
        m_cv.notify_one();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bPosted = false;
    bool m_bStop = false;
};

struct Master {
    int fd = -1;
    std::string slavePath;
    Master() {
        fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128];
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0 &&
            ptsname_r(fd, name, sizeof name) == 0) {
            slavePath = name;
        }
    }
    ~Master() {
        if (fd >= 0) close(fd);
    }
    bool WriteAll(const std::string& data) const {
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = write(fd, data.data() + done, data.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
};

double Seconds(const struct timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }

// Processor seconds of every thread but the calling one (the writer).
double OthersCpuSeconds() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    struct timespec own {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &own);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime) - own.tv_sec - own.tv_nsec / 1e9;
}

// Writes rate frames of 40 bytes a second, a millisecond's worth at a time.
void PacedRun(const Master& master, Mailbox& mailbox, long rate, double seconds) {
    const std::string frame = quelda::BuildCommandLine("$QVR", "MON1,1234567,89.25,1F3A,ABCDEF*");
    const long perMs = rate / 1000;
    std::string slice;
    for (long i = 0; i < perMs; ++i) slice += frame;
    const long long postsBefore = mailbox.posts.load();
    const double cpuBefore = OthersCpuSeconds();
    const auto start = Clock::now();
    auto next = start;
    while (next - start < std::chrono::duration<double>(seconds)) {
        if (!master.WriteAll(slice)) break;
        next += std::chrono::milliseconds(1);
        std::this_thread::sleep_until(next);
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("e2e_paced_%ldk_frame_bytes: %zu\n", rate / 1000, frame.size());
    std::printf("e2e_paced_%ldk_notifications_per_s: %.0f\n", rate / 1000,
                (mailbox.posts.load() - postsBefore) / elapsed);
    std::printf("e2e_paced_%ldk_cpu_core_fraction: %.3f\n", rate / 1000,
                (OthersCpuSeconds() - cpuBefore) / elapsed);
}

// Median and worst time from the write of one frame after 100 ms of quiet
// to the reader having taken it in.
void SingleAnswers(const Master& master, const std::atomic<std::size_t>& consumed,
                   std::size_t written) {
    const std::string frame = quelda::BuildCommandLine("$QVR", "ACK*");
    std::vector<double> ms;
    for (int i = 0; i < 21; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto start = Clock::now();
        if (!master.WriteAll(frame)) return;
        written += frame.size();
        while (consumed.load() < written && Clock::now() - start < std::chrono::seconds(1)) {
            std::this_thread::yield();
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("e2e_single_answer_latency_ms: %.2f\n", ms[ms.size() / 2]);
    std::printf("e2e_single_answer_latency_max_ms: %.2f\n", ms.back());
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    Master master;
    if (master.slavePath.empty()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    quelda::CComPort port;
    port.m_strPort = master.slavePath;
    port.m_dwBaudRate = 115200;
    Mailbox mailbox;
    if (port.Open([&] { mailbox.Post(); }) != quelda::OpenResult::kOk) {
        std::fprintf(stderr, "cannot open %s\n", master.slavePath.c_str());
        return 1;
    }

    FrameCounter counter;
    quelda::CReceiveParser parser(counter);
    std::atomic<std::size_t> consumed{0};
    std::atomic<long long> lineErrors{0};
    std::thread consumer([&] {
        std::vector<uint8_t> buffer;
        while (mailbox.Wait()) {
            uint32_t errors = 0;
            const std::size_t n = port.GetStatus(errors);
            if (errors != 0) ++lineErrors;
            if (n == 0) continue;
            buffer.resize(n);
            const std::size_t got = port.Read(buffer.data(), n);
            parser.Receive(buffer.data(), got);
            consumed += got;
        }
    });

    const std::string chunk = MakeChunk();
    long long expected = 0;
    std::size_t written = 0;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        if (written - consumed.load() > kInFlight) {
            std::this_thread::yield();
            continue;
        }
        if (!master.WriteAll(chunk)) break;
        written += chunk.size();
        expected += kFramesPerChunk;
    }
    // Let the last bytes through; give up after a second without progress.
    std::size_t last = consumed.load();
    auto lastProgress = Clock::now();
    while (consumed.load() < written && Clock::now() - lastProgress < std::chrono::seconds(1)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (consumed.load() != last) {
            last = consumed.load();
            lastProgress = Clock::now();
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const long long frames = counter.frames;
    const long long floodPosts = mailbox.posts.load();
    PacedRun(master, mailbox, 5000, std::min(seconds, 4.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    SingleAnswers(master, consumed, consumed.load());
    mailbox.Stop();
    consumer.join();
    port.Close();

    std::printf("e2e_frames_per_s: %.0f\n", frames / elapsed);
    std::printf("e2e_frames_lost: %lld\n", expected - frames);
    std::printf("e2e_flood_notifications_per_s: %.0f\n", floodPosts / elapsed);
    std::fprintf(stderr, "frames %lld, bytes %zu, %.2f s, receive errors %lld, line errors %lld\n",
                 frames, written, elapsed, counter.errors, lineErrors.load());
    return 0;
}
