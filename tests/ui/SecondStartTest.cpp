// A second start of the program only raises the first, and says so in one
// line on standard error.
#include <QFileInfo>
#include <QProcess>

#include "support/TempDir.h"
#include "support/UiTestSupport.h"

namespace quelda::test {
namespace {

TEST(SecondStartTest, RaisesTheFirstAndSaysSoInOneLine) {
    UiApp();
    TempDir dir;
    dir.Write("PSETTING.TXT", "/nonexistent/quelda-port\r\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Its own folders: the socket is its own, and Qt has nothing to warn about.
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(dir.Path()));
    environment.insert(QStringLiteral("TMPDIR"), QString::fromStdString(dir.Path()));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(dir.Path()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QStringList arguments = {QStringLiteral("--dir"), QString::fromStdString(dir.Path())};
    const QString program = QStringLiteral(QUELDA_BIN_DIR "/quelda");

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program, arguments);
    ASSERT_TRUE(first.waitForStarted(5000));
    const QString socket = QString::fromStdString(dir.File("Quelda"));
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(socket); }, 10000));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, arguments);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    const std::string err = second.readAllStandardError().toStdString();
    EXPECT_EQ(err, std::string("quelda: already running on display offscreen; "
                               "asked its window to come to the front\n"));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    EXPECT_TRUE(first.waitForFinished(5000));
}

}  // namespace
}  // namespace quelda::test
