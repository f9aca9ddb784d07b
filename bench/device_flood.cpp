// quelda-device --flood: frames per second that reach a reader through the
// pseudo-terminal, read by the program's own parser, and the processor time
// the device spends for them, at several asked rates.
//
// Usage: bench-device_flood [seconds per rate]   (default 2)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "FrameCounter.h"
#include "comm/PortHandle.h"
#include "protocol/ReceiveParser.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string BinDir() {
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/'));
}

// User and system time of a process in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string skip;
    for (int i = 3; i <= 13; ++i) fields >> skip;
    long utime = 0, stime = 0;
    fields >> utime >> stime;
    return utime + stime;
}

bool Measure(long rate, double seconds) {
    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::string program = BinDir() + "/quelda-device";
    std::string rateText = std::to_string(rate);
    std::vector<char*> argv = {program.data(), const_cast<char*>("--flood"), rateText.data(),
                               nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return false;
    }
    close(out[1]);
    std::string line;
    for (char c = 0; read(out[0], &c, 1) == 1 && c != '\n';) line += c;
    quelda::CPortHandle port;
    if (line.rfind("PTY ", 0) != 0 || !port.Open(line.substr(4)) ||
        !port.Configure(115200, 8, 0, 0)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return false;
    }
    FrameCounter counter;
    quelda::CReceiveParser parser(counter);
    std::vector<uint8_t> buffer(1 << 16);
    const long ticksBefore = CpuTicks(pid);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        pollfd p{port.Fd(), POLLIN, 0};
        if (poll(&p, 1, 10) <= 0) continue;
        const ssize_t n = read(port.Fd(), buffer.data(), buffer.size());
        if (n > 0) parser.Receive(buffer.data(), static_cast<std::size_t>(n));
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const long ticks = CpuTicks(pid) - ticksBefore;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    std::printf("device_flood_%ld_frames_per_s: %.0f\n", rate, counter.frames / elapsed);
    std::printf("device_flood_%ld_receive_errors: %lld\n", rate, counter.errors);
    std::printf("device_flood_%ld_device_cpu_percent: %.1f\n", rate,
                100.0 * ticks / sysconf(_SC_CLK_TCK) / elapsed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    bool ok = true;
    for (long rate : {1000L, 100000L, 400000L}) ok = Measure(rate, seconds) && ok;
    return ok ? 0 : 1;
}
