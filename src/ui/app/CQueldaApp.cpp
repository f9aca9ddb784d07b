#include "app/CQueldaApp.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>

#include "app/CDemoSession.h"
#include "app/CMainFrame.h"
#include "app/CSignalQuit.h"
#include "app/CSingleInstance.h"
#include "app/ProgramDir.h"
#include "app/ProgramIcon.h"
#include "QueldaVersion.h"

namespace {

QSize AvailableScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Room for the window frame and title bar around the client area.
    return screen ? screen->availableGeometry().size() - QSize(16, 48) : QSize(1280, 800);
}

}  // namespace

CQueldaApp::CQueldaApp() = default;

CQueldaApp::~CQueldaApp() { Shutdown(); }

int CQueldaApp::Run(const QStringList& arguments) {
    QApplication::setApplicationName(QStringLiteral("Quelda"));
    QApplication::setWindowIcon(ProgramIcon());
    const AppOptions options = ParseAppOptions(arguments, qEnvironmentVariable("QUELDA_DIR"));
    if (options.version) {
        std::printf("quelda %s\n", QUELDA_VERSION);
        return 0;
    }
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(options.error));
        std::fputs(qPrintable(UsageText()), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    const int early = HandleInstance(options);
    if (early >= 0) return early;
    m_signals = std::make_unique<CSignalQuit>();
    if (!m_signals->Install()) std::fputs("quelda: cannot catch SIGTERM and SIGINT\n", stderr);
    const std::string appDir = PrepareProgramDir(options);
    if (appDir.empty()) return 1;
    CreateMainFrame(appDir);
    const int code = QApplication::exec();
    Shutdown();
    return code;
}

int CQueldaApp::HandleInstance(const AppOptions& options) {
    m_instance = std::make_unique<CSingleInstance>();
    if (m_instance->AskRunningToRaise()) {
        std::fprintf(stderr, "%s\n", qPrintable(m_instance->RaisedText()));
        return 0;
    }
    if (options.raise) {
        std::fputs("quelda: no running instance to raise\n", stderr);
        return 1;
    }
    if (!m_instance->Listen()) {
        std::fputs("quelda: cannot listen for restore requests\n", stderr);
    }
    return -1;
}

std::string CQueldaApp::PrepareProgramDir(const AppOptions& options) {
    if (!options.demo) {
        return options.dir.isEmpty() ? DefaultProgramDir() : AsProgramDir(options.dir);
    }
    const QString exeDir = QString::fromStdString(ExecutableDir());
    const QString shipped = QString::fromStdString(ShippedFilesDir());
    const QString target =
        DemoProgramDir(options, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    m_demo = std::make_unique<CDemoSession>(shipped + QStringLiteral("demo"), target,
                                            exeDir + QStringLiteral("quelda-device"));
    if (m_demo->Start()) return AsProgramDir(target);
    QMessageBox::critical(nullptr, QStringLiteral("Quelda"), m_demo->Error());
    return std::string();
}

void CQueldaApp::CreateMainFrame(const std::string& appDir) {
    m_frame = std::make_unique<CMainFrame>(appDir, m_prompt);
    m_prompt.SetParent(m_frame.get());
    connect(m_instance.get(), &CSingleInstance::RaiseRequested, m_frame.get(),
            &CMainFrame::RestoreAndRaise);
    // The standard new-document action: the terminal, and with it the document.
    m_frame->ShowView(QStringLiteral("TERM"));
    // The demo's windows are laid out for a 1280x800 main window; a smaller
    // screen gets what it has room for.
    if (m_demo) m_frame->resize(QSize(1280, 800).boundedTo(AvailableScreenSize()));
    m_frame->show();
}

void CQueldaApp::Shutdown() {
    // The port closes before the device behind it stops.
    m_frame.reset();
    if (m_demo) m_demo->Stop();
}
