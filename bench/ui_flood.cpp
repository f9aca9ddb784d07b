// The desktop main frame under a flood: quelda-device sends N frames a
// second on a pseudo-terminal, the main frame shows them in its terminal
// (fast display) and writes the communication log. Prints how long the event
// loop was kept from a 10 ms timer at worst, how many frames a second came
// through, and how many frames in the log are not whole (none may be).
//
// Usage: bench-ui_flood [frames-per-second [seconds]]   (default 100000 5)
// Runs headless (QT_QPA_PLATFORM=offscreen unless set).
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/CMainFrame.h"
#include "app/QtUserPrompt.h"
#include "text/TextFile.h"
#include "protocol/Frame.h"

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

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString rate = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("100000");
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    const QString bin = QApplication::applicationDirPath();
    QProcess device;
    device.start(bin + QStringLiteral("/quelda-device"),
                 {QStringLiteral("--profile"), bin + QStringLiteral("/demo/device"),
                  QStringLiteral("--flood"), rate});
    if (!device.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench-ui_flood: quelda-device did not start\n");
        return 1;
    }
    const std::string pty =
        QString::fromLocal8Bit(device.readLine()).trimmed().mid(4).toStdString();
    char pattern[] = "/tmp/quelda-ui-flood-XXXXXX";
    const std::string dir = std::string(mkdtemp(pattern)) + "/";
    quelda::WriteFileAtomic(dir + "PSETTING.TXT", pty + "\r\n19200\r\n8\r\nNO\r\n1\r\n");

    QtUserPrompt prompt;
    CMainFrame frame(dir, prompt);
    frame.ShowView(QStringLiteral("TERM"));
    frame.show();
    frame.SetCommLog(true);
    QElapsedTimer logging;
    logging.start();

    QElapsedTimer clock;
    qint64 last = -1, worstGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (last >= 0 && now - last > worstGap) worstGap = now - last;
        last = now;
    });
    QTimer::singleShot(300, [&] {  // after the connect
        clock.start();
        tick.start(10);
    });
    QTimer::singleShot(300 + seconds * 1000, &app, &QApplication::quit);
    app.exec();
    frame.SetCommLog(false);
    const double loggedSeconds = logging.elapsed() / 1000.0;
    device.terminate();
    device.waitForFinished(2000);

    std::string log;
    // The log of a flood is far larger than any settings file.
    quelda::ReadBoundedFile(frame.Core().LogFileName(), std::size_t(1) << 32, log);
    const LogCheck check = CheckLog(log);
    std::printf("ui_flood_worst_event_loop_gap_ms: %lld\n", worstGap);
    std::printf("ui_flood_frames_per_s: %.0f\n", check.frames / loggedSeconds);
    std::printf("ui_flood_log_broken_frames: %lld\n", check.broken);
    std::remove(frame.Core().LogFileName().c_str());
    std::remove((dir + "PSETTING.TXT").c_str());
    rmdir(dir.c_str());
    return check.broken == 0 ? 0 : 1;
}
