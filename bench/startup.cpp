// Start-up of the desktop program: from the start of a fresh process to the
// first paint of the terminal in the shown main window, over the demo files
// with a port that opens but where no device answers. Runs itself a few
// times and prints the median and the slowest, and the median CPU time.
//
// Usage: bench-startup [runs]   (default 7)
#include <pty.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchDisplay.h"
#include "app/CQueldaApp.h"
#include "views/term/CTermTextArea.h"

namespace {

long long MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Quits at the first paint of the terminal's text area and keeps the time.
class FirstTerminalPaint : public QObject {
public:
    long long atNs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (atNs == 0 && event->type() == QEvent::Paint &&
            qobject_cast<CTermTextArea*>(watched->parent())) {
            atNs = MonotonicNs();
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

// One start in this process; spawnedNs is when the parent started it.
int RunOnce(int argc, char** argv, const QString& dir, long long spawnedNs) {
    QApplication application(argc, argv);
    FirstTerminalPaint watch;
    application.installEventFilter(&watch);
    CQueldaApp quelda;
    quelda.Run({QStringLiteral("--dir"), dir});
    if (watch.atNs == 0) return 1;
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const double cpuMs = (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 +
                         (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
    std::printf("%.1f %.1f\n", (watch.atNs - spawnedNs) / 1e6, cpuMs);
    return 0;
}

// The demo files in a scratch folder, the port a pseudo-terminal nobody answers on.
std::string PrepareDir(const std::string& bin, int& master) {
    char pattern[] = "/tmp/quelda-startup-XXXXXX";
    const std::string dir = std::string(mkdtemp(pattern)) + "/";
    for (const auto& entry : std::filesystem::directory_iterator(bin + "/demo")) {
        if (entry.is_regular_file()) {
            std::filesystem::copy_file(entry.path(), dir + entry.path().filename().string());
        }
    }
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return {};
    close(slave);
    std::FILE* f = std::fopen((dir + "PSETTING.TXT").c_str(), "wb");
    if (!f) return {};
    std::fprintf(f, "%s\r\n19200\r\n8\r\nNO\r\n1\r\n", name);
    std::fclose(f);
    return dir;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--once") {
        return RunOnce(1, argv, QString::fromLocal8Bit(argv[2]), std::atoll(argv[3]));
    }
    bench::ChooseDisplay(argc, argv, "startup");
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 7;
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    const std::string bin = std::filesystem::path(self).parent_path().string();
    int master = -1;
    const std::string dir = PrepareDir(bin, master);
    if (dir.empty()) {
        std::fprintf(stderr, "bench-startup: cannot prepare the program directory\n");
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Its own socket folder: no running Quelda is asked to raise instead.
    environment.insert(QStringLiteral("TMPDIR"), QString::fromStdString(dir));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(dir));
    std::vector<double> times, cpuTimes;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const long long spawned = MonotonicNs();
        child.start(
            QString::fromStdString(self),
            {QStringLiteral("--once"), QString::fromStdString(dir), QString::number(spawned)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench-startup: run %d did not show the terminal\n", i);
            continue;
        }
        const QStringList out =
            QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char(' '));
        times.push_back(out.value(0).toDouble());
        cpuTimes.push_back(out.value(1).toDouble());
        std::filesystem::remove(dir + "Quelda");
    }
    close(master);
    std::filesystem::remove_all(dir);
    if (times.empty()) return 1;
    std::sort(times.begin(), times.end());
    std::printf("startup_ms: %.0f\n", times[times.size() / 2]);
    std::printf("startup_ms_slowest: %.0f\n", times.back());
    // The process's own CPU time to that paint: what a busy machine does not inflate.
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("startup_cpu_ms: %.0f\n", cpuTimes[cpuTimes.size() / 2]);
    return 0;
}
