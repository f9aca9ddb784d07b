// The desktop main frame under a flood: quelda-device sends N frames a
// second on a pseudo-terminal and the main frame shows them in its terminal
// (fast display) and writes the communication log. Each phase runs for the
// given seconds:
//   5,000 frames/s, terminal open: share of a core;
//   100,000 frames/s, terminal open: share of a core, terminal paints a
//     second, frames a second, broken frames in the log, event-loop gaps
//     (worst and 99th percentile of a 10 ms timer), memory at 1 s and at the end;
//   a single frame after 1 s of silence: pty write to the terminal's paint;
//   100,000 frames/s with the four monitors and the status window open too.
//
// Usage: bench-ui_flood [seconds-per-phase]   (default 8)
#include <pty.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchDisplay.h"
#include "app/CMainFrame.h"
#include "app/CQueldaChildFrame.h"
#include "app/UserPrompt.h"
#include "protocol/Frame.h"
#include "text/TextFile.h"
#include "views/term/CTERMView.h"
#include "views/term/CTermTextArea.h"

namespace {

struct LogCheck {
    long long frames = 0;
    long long broken = 0;
};

// Every "$" begins a frame that must end in "*", two checksum digits and
// CR LF, with the right checksum; the last frame may be cut by the stop.
LogCheck CheckLog(const std::string& log) {
    LogCheck check;
    std::size_t start = log.find('$');
    while (start != std::string::npos) {
        const std::size_t next = log.find('$', start + 1);
        const std::size_t end = next == std::string::npos ? log.size() : next;
        const std::string frame = log.substr(start, end - start);
        const std::size_t star = frame.rfind('*');
        const bool whole = star != std::string::npos && frame.size() == star + 5 &&
                           frame.compare(star + 3, 2, "\r\n") == 0;
        const bool last = next == std::string::npos;
        if (whole && quelda::BuildLine(frame.substr(0, star + 1)) == frame) {
            ++check.frames;
        } else if (!last) {
            ++check.broken;
        }
        start = next;
    }
    return check;
}

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double CpuSeconds() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec +
           (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

double RssMb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0;
}

void RunFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A message box would stop the measurement: it is printed instead.
class PrintingPrompt : public IUserPrompt {
public:
    void Message(const QString& text, const QString&, Icon) override {
        std::fprintf(stderr, "bench-ui_flood: message: %s\n", qPrintable(text));
    }
    void AskAsync(const QString& text, Buttons, std::function<void(bool)> answer,
                  const QString&) override {
        std::fprintf(stderr, "bench-ui_flood: question: %s\n", qPrintable(text));
        if (answer) answer(false);
    }
    bool Ask(const QString&, Buttons, const QString&) override { return false; }
    QString GetOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// Counts the paints of the terminal's text area and notes the first one
// after an armed moment.
class PaintCounter : public QObject {
public:
    long long paints = 0;
    double paintedAt = 0;
    void Arm() {
        m_bArmed = true;
        paintedAt = 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (m_bArmed) paintedAt = Now();
            m_bArmed = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_bArmed = false;
};

// The gaps between the ticks of a 10 ms timer, in milliseconds.
class GapMeter {
public:
    GapMeter() {
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const double now = Now();
            if (m_last > 0) m_gaps.push_back((now - m_last) * 1000.0);
            m_last = now;
        });
        m_tick.start(10);
    }
    double Worst() const {
        return m_gaps.empty() ? 0 : *std::max_element(m_gaps.begin(), m_gaps.end());
    }
    double P99() {
        if (m_gaps.empty()) return 0;
        std::sort(m_gaps.begin(), m_gaps.end());
        return m_gaps[std::min(m_gaps.size() - 1, m_gaps.size() * 99 / 100)];
    }

private:
    QTimer m_tick;
    double m_last = 0;
    std::vector<double> m_gaps;
};

class FloodBench {
public:
    // dir's PSETTING.TXT names the slave side of master.
    FloodBench(const std::string& bin, const std::string& dir, int master, int seconds)
        : m_bin(bin), m_nMaster(master), m_nSeconds(seconds), m_frame(dir, m_prompt) {
        m_frame.ShowView(QStringLiteral("TERM"));
        m_frame.show();
        auto* view = m_frame.findChild<CTERMView*>();
        if (view) view->TextArea()->viewport()->installEventFilter(&m_paints);
    }

    // Prints the share of a core as name; details: the terminal's figures too.
    bool Flood(const char* name, int rate, bool details);
    bool SingleAnswers(int count);
    void OpenAllWindows() {
        for (const char* kind : {"Monitor1", "Monitor2", "Monitor3", "Monitor4", "Status"}) {
            m_frame.ShowView(QString::fromLatin1(kind));
        }
        m_frame.ShowView(QStringLiteral("TERM"));  // the terminal stays in front
    }

private:
    void ConnectTo(const std::string& port) {
        m_frame.Core().Disconnect();
        quelda::LineSettings line = m_frame.Core().GetLineSettings();
        line.port = port;
        m_frame.Core().SetLineSettings(line);
        m_frame.Core().Connect();
    }
    void PrintLog(double loggedSeconds);

    std::string m_bin;
    int m_nMaster;
    std::string m_strSlave = ptsname(m_nMaster);
    int m_nSeconds;
    PrintingPrompt m_prompt;
    CMainFrame m_frame;
    PaintCounter m_paints;
};

bool FloodBench::Flood(const char* name, int rate, bool details) {
    QProcess device;
    device.start(QString::fromStdString(m_bin + "/quelda-device"),
                 {QStringLiteral("--profile"), QString::fromStdString(m_bin + "/demo/device"),
                  QStringLiteral("--flood"), QString::number(rate)});
    if (!device.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench-ui_flood: quelda-device did not start\n");
        return false;
    }
    ConnectTo(QString::fromLocal8Bit(device.readLine()).trimmed().mid(4).toStdString());
    if (details) m_frame.SetCommLog(true);
    const double logStart = Now();
    RunFor(300);  // past the connect
    GapMeter gaps;
    const double wall0 = Now(), cpu0 = CpuSeconds();
    const long long paints0 = m_paints.paints;
    RunFor(1000);
    const double rssEarly = RssMb();
    RunFor(m_nSeconds * 1000 - 1000);
    const double wall = Now() - wall0, cpu = CpuSeconds() - cpu0;
    const long long paints = m_paints.paints - paints0;
    const double rssEnd = RssMb();
    if (details) m_frame.SetCommLog(false);
    const double loggedSeconds = Now() - logStart;
    m_frame.Core().Disconnect();
    device.terminate();
    device.waitForFinished(2000);

    std::printf("%s: %.3f\n", name, cpu / wall);
    if (!details) return true;
    std::printf("ui_flood_paints_per_s: %.1f\n", paints / wall);
    std::printf("ui_flood_worst_event_loop_gap_ms: %.1f\n", gaps.Worst());
    std::printf("ui_flood_event_loop_gap_p99_ms: %.1f\n", gaps.P99());
    std::printf("ui_flood_rss_after_1s_mb: %.1f\n", rssEarly);
    std::printf("ui_flood_rss_end_mb: %.1f\n", rssEnd);
    PrintLog(loggedSeconds);
    return true;
}

void FloodBench::PrintLog(double loggedSeconds) {
    std::string log;
    // The log of a flood is far larger than any settings file.
    quelda::ReadBoundedFile(m_frame.Core().LogFileName(), std::size_t(1) << 32, log);
    const LogCheck check = CheckLog(log);
    std::printf("ui_flood_frames_per_s: %.0f\n", check.frames / loggedSeconds);
    std::printf("ui_flood_log_broken_frames: %lld\n", check.broken);
    std::remove(m_frame.Core().LogFileName().c_str());
}

// The bench's own pseudo-terminal: one frame after a second of silence, timed from
// the write to the terminal's next paint.
bool FloodBench::SingleAnswers(int count) {
    ConnectTo(m_strSlave);
    std::vector<double> latencies;
    const std::string frame = quelda::BuildLine("$QVR,ANSWER,1*");
    for (int i = 0; i < count; ++i) {
        RunFor(1000);
        m_paints.Arm();
        const double written = Now();
        if (write(m_nMaster, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) {
            break;
        }
        QElapsedTimer limit;
        limit.start();
        while (m_paints.paintedAt == 0 && limit.elapsed() < 2000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        if (m_paints.paintedAt > 0) latencies.push_back((m_paints.paintedAt - written) * 1000);
    }
    m_frame.Core().Disconnect();
    if (latencies.empty()) return false;
    std::sort(latencies.begin(), latencies.end());
    std::printf("ui_flood_single_answer_latency_ms: %.1f\n", latencies[latencies.size() / 2]);
    std::printf("ui_flood_single_answer_latency_worst_ms: %.1f\n", latencies.back());
    return true;
}

std::string PrepareDir(const std::string& bin, const std::string& port) {
    char pattern[] = "/tmp/quelda-ui-flood-XXXXXX";
    const std::string dir = std::string(mkdtemp(pattern)) + "/";
    // The demo's windows, so that every window has something to decode.
    for (const auto& entry : std::filesystem::directory_iterator(bin + "/demo")) {
        if (entry.is_regular_file()) {
            std::filesystem::copy_file(entry.path(), dir + entry.path().filename().string());
        }
    }
    quelda::WriteFileAtomic(dir + "PSETTING.TXT", port + "\r\n19200\r\n8\r\nNO\r\n1\r\n");
    return dir;
}

}  // namespace

int main(int argc, char** argv) {
    bench::ChooseDisplay(argc, argv, "ui_flood");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(std::atoi(argv[1]), 2) : 8;
    const std::string bin = QApplication::applicationDirPath().toStdString();
    // The bench's own terminal: the port at start and for the single answers.
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return 1;
    close(slave);
    const std::string dir = PrepareDir(bin, ptsname(master));
    bool ok = true;
    {
        FloodBench bench(bin, dir, master, seconds);
        RunFor(500);
        ok = bench.Flood("ui_flood_cpu_core_fraction_5k", 5000, false) && ok;
        ok = bench.Flood("ui_flood_cpu_core_fraction_100k", 100000, true) && ok;
        ok = bench.SingleAnswers(5) && ok;
        bench.OpenAllWindows();
        RunFor(500);
        ok = bench.Flood("ui_flood_all_windows_cpu_core_fraction_100k", 100000, false) && ok;
    }
    close(master);
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
