// `quelda --demo` ended from outside: the virtual device it started never
// outlives it, whether the program stops cleanly on a signal or is killed.
#include <signal.h>
#include <sys/types.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "support/ProcStat.h"
#include "support/TempDir.h"
#include "support/UiTestSupport.h"

namespace quelda::test {
namespace {

qint64 ChildNamed(qint64 parent, const QString& name) {
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        ProcStat stat;
        if (number && ReadProcStat(pid, stat) && stat.parent == parent &&
            QString::fromStdString(stat.name) == name) {
            return pid;
        }
    }
    return 0;
}

// Gone, or a zombie nobody has reaped yet: either way it no longer runs.
bool Runs(qint64 pid) {
    ProcStat stat;
    return ReadProcStat(pid, stat) && stat.state != 'Z' && stat.state != 'X';
}

struct EndCase {
    int signalNumber;
    QProcess::ExitStatus status;  // NormalExit: the program stopped itself
};

class DemoExitTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(DemoExitTest, TheDeviceEndsWithTheProgram) {
    UiApp();
    TempDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Its own home and temporary folder: no other Quelda is asked to raise.
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(dir.Path()));
    environment.insert(QStringLiteral("TMPDIR"), QString::fromStdString(dir.Path()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QUELDA_DIR"));
    QProcess quelda;
    quelda.setProcessEnvironment(environment);
    quelda.setProcessChannelMode(QProcess::ForwardedChannels);
    const QString demoDir = QString::fromStdString(dir.File("demo"));
    quelda.start(QStringLiteral(QUELDA_BIN_DIR "/quelda"),
                 {QStringLiteral("--demo"), QStringLiteral("--dir"), demoDir});
    ASSERT_TRUE(quelda.waitForStarted(5000));

    // The device runs once the demo copy's port names its link.
    qint64 device = 0;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && quelda.state() == QProcess::Running && device == 0) {
        if (QFileInfo::exists(demoDir + QStringLiteral("/tty"))) {
            device = ChildNamed(quelda.processId(), QStringLiteral("quelda-device"));
        }
        if (device == 0) QThread::msleep(20);
    }
    ASSERT_NE(device, 0) << "the demo did not start its device";

    ::kill(static_cast<pid_t>(quelda.processId()), GetParam().signalNumber);
    ASSERT_TRUE(quelda.waitForFinished(5000));
    EXPECT_EQ(quelda.exitStatus(), GetParam().status);
    if (GetParam().status == QProcess::NormalExit) {
        EXPECT_EQ(quelda.exitCode(), 0);
    }
    QDeadlineTimer gone(2000);
    while (!gone.hasExpired() && Runs(device)) QThread::msleep(20);
    EXPECT_FALSE(Runs(device)) << "quelda-device " << device << " outlived the program";
}

INSTANTIATE_TEST_SUITE_P(Signals, DemoExitTest,
                         ::testing::Values(EndCase{SIGTERM, QProcess::NormalExit},
                                           EndCase{SIGINT, QProcess::NormalExit},
                                           EndCase{SIGKILL, QProcess::CrashExit}));

}  // namespace
}  // namespace quelda::test
