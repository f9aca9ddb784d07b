// A monitor with its plot open, four plotted items fed in-process at a
// frame rate for some seconds through the monitor view (as the routing
// hands frames over). Prints the samples lost while under the ring's size,
// the process's CPU as a fraction of one core over the feed, the resident
// memory once every ring is full, and the 99th percentile of a redraw
// (envelope plus drawing) with 2,000,000 samples per series in view.
//
// Usage: bench-plot [frames-per-second [seconds]]   (default 100000 10)
// Runs headless (QT_QPA_PLATFORM=offscreen unless set).
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/QtUserPrompt.h"
#include "app/ViewContext.h"
#include "routing/UpdateHint.h"
#include "views/monitor/CMonitorChildFrame.h"
#include "views/monitor/CMonitorView.h"
#include "views/plot/CPlotView.h"
#include <qcustomplot.h>

namespace {

// What the monitor asks of the program, answered without a main frame.
class BenchContext : public IViewContext {
public:
    std::string dir;
    quelda::Settings settings;
    std::vector<quelda::CommandRecord> records;
    CViewEvents events;
    QtUserPrompt prompt;
    QPrinter* printer = nullptr;

    const std::string& AppDir() const override { return dir; }
    const quelda::WindowSettings& WindowSettingsOf(quelda::WindowKind kind) const override {
        return settings.Window(kind);
    }
    const std::vector<quelda::CommandRecord>& CommandRecords() const override { return records; }
    int BinLengthFormat() const override { return 0; }
    CViewEvents& Events() override { return events; }
    bool IsConnected() const override { return false; }
    int SendButtonCommand(int) override { return 0; }
    int EditButtonCommand(int) override { return 0; }
    int SendCommand(const std::string&, int) override { return 0; }
    int SendLine(const std::string&, int) override { return 0; }
    void ClearReplyWait() override {}
    void SetBinaryCommand(const std::string&) override {}
    void SetSimulatorPrefix(const std::string&) override {}
    bool Prompt(const QString&, Buttons, PromptKind) override { return true; }
    bool PromptCaptioned(const QString&, const QString&, Buttons, PromptKind) override {
        return true;
    }
    QString OpenFileName(const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&) override { return {}; }
    IUserPrompt& UserPrompt() override { return prompt; }
    int EepromByteWord() const override { return 0; }
    void SendCommandLine(const std::string&) override {}
    bool FastDisplay() const override { return false; }
    void SetFastDisplay(bool) override {}
    QPrinter& Printer() override {
        if (!printer) printer = new QPrinter;
        return *printer;
    }
};

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double RssMb() {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            in >> kb;
            return kb / 1024.0;
        }
        in.ignore(1 << 20, '\n');
    }
    return -1;
}

// A cycle of frames: a sine, a ramp, a counter and a square wave.
std::vector<std::string> Frames(int count) {
    std::vector<std::string> out;
    char text[128];
    for (int i = 0; i < count; ++i) {
        std::snprintf(text, sizeof text, "$Q,MON,%.3f,%.3f,%d,%d*00\r\n",
                      std::sin(i * 0.01) * 100.0, (i % 1000) * 0.5, i, (i / 250) % 2);
        out.emplace_back(text);
    }
    return out;
}

void Feed(CMonitorView* view, const std::vector<std::string>& frames, long long& sent, long long n) {
    for (long long k = 0; k < n; ++k, ++sent) {
        const std::string& f = frames[static_cast<std::size_t>(sent % frames.size())];
        view->OnUpdate(quelda::hintMonitor1, reinterpret_cast<const uint8_t*>(f.data()), f.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const long long rate = argc > 1 ? std::atoll(argv[1]) : 100000;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
    QApplication app(argc, argv);
    char tmpl[] = "/tmp/bench-plot-XXXXXX";
    BenchContext context;
    context.dir = std::string(mkdtemp(tmpl)) + "/";
    std::ofstream(context.dir + "MONITOR1.TXT")
        << "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
           "1,Sine,FLOAT4,1,%.3f,FLOAT,V,0,0,\r\n"
           "2,Ramp,FLOAT4,1,%.3f,FLOAT,A,0,1,\r\n"
           "3,Counter,FLOAT4,1,%.0f,FLOAT,,0,2,\r\n"
           "4,Square,FLOAT4,1,%.0f,FLOAT,,0,3,\r\n";
    CMonitorChildFrame frame(context, quelda::WindowKind::Monitor1);
    CMonitorView* view = frame.MonitorView();
    view->OnInitialUpdate();
    frame.resize(480, 320);
    frame.show();
    for (std::size_t item = 1; item <= 4; ++item) view->SetPlotted(item, true);
    CPlotView* plot = view->PlotView();
    plot->resize(800, 500);
    app.processEvents();
    const std::vector<std::string> frames = Frames(100000);

    // The feed: every 10 ms the frames due by then, as the routing would.
    long long sent = 0;
    QElapsedTimer wall;
    QEventLoop loop;  // not the application's: its quit would close the windows
    QTimer feeder;
    feeder.setInterval(10);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        const long long due = static_cast<long long>(wall.nsecsElapsed() / 1e9 * rate);
        Feed(view, frames, sent, due - sent);
        if (wall.nsecsElapsed() / 1e9 >= seconds) loop.quit();
    });
    const int redrawsBefore = plot->Redraws();
    const double cpu0 = CpuSeconds();
    wall.start();
    feeder.start();
    loop.exec();
    const double cpu = (CpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
    const int redraws = plot->Redraws() - redrawsBefore;
    const auto& series = view->Model().Plot().AllSeries();
    long long lost = 0;
    const long long expected = std::min<long long>(sent, quelda::CSampleRing::kDefaultCapacity);
    for (const auto& s : series) lost += expected - static_cast<long long>(s.ring->Size());

    // Every ring full, then redraws of the whole kept span and of zooms into it.
    const long long full = quelda::CSampleRing::kDefaultCapacity + 1000;
    if (sent < full) Feed(view, frames, sent, full - sent);
    app.processEvents();
    const double rss = RssMb();
    plot->SetSpan(3);
    const double latest = series[0].ring->Latest();
    const double from = series[0].ring->HoldsFrom();
    std::vector<double> ms;
    std::vector<double> cpuMs;  // the same without the time other programs took
    for (int i = 0; i < 200; ++i) {
        const double zoom = 1.0 / (1 + i % 10);
        const double mid = from + (latest - from) * (0.5 + 0.4 * std::sin(i * 0.3));
        const double half = (latest - from) * zoom / 2;
        QElapsedTimer t;
        t.start();
        const double c0 = ThreadCpuMs();
        if (i % 10 == 0) {
            plot->SetSpan(3);  // all kept: 2,000,000 samples per series in view
        } else {
            plot->SetTimeRange(mid - half, mid + half);
        }
        plot->Plot()->replot(QCustomPlot::rpImmediateRefresh);
        ms.push_back(t.nsecsElapsed() / 1e6);
        cpuMs.push_back(ThreadCpuMs() - c0);
        app.processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    std::printf("plot_frames_fed: %lld\n", sent);
    std::printf("plot_samples_per_series: %zu\n", series[0].ring->Size());
    std::printf("plot_samples_lost: %lld\n", lost);
    std::printf("plot_redraws_per_second: %.1f\n", redraws / seconds);
    std::printf("plot_cpu_core_fraction: %.3f\n", cpu);
    std::printf("plot_rss_mb: %.1f\n", rss);
    std::printf("plot_redraw_ms_median: %.2f\n", ms[ms.size() / 2]);
    std::printf("plot_redraw_ms_p99: %.2f\n", ms[ms.size() * 99 / 100]);
    std::printf("plot_redraw_cpu_ms_p99: %.2f\n", cpuMs[cpuMs.size() * 99 / 100]);
    return 0;
}
