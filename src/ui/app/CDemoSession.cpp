#include "app/CDemoSession.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>

#include "config/LineSettings.h"

CDemoSession::CDemoSession(const QString& sourceDir, const QString& targetDir,
                           const QString& devicePath, QObject* parent)
    : QObject(parent), m_sourceDir(sourceDir), m_targetDir(targetDir), m_devicePath(devicePath) {}

CDemoSession::~CDemoSession() { Stop(); }

QString CDemoSession::LinkPath() const { return QDir(m_targetDir).filePath(QStringLiteral("tty")); }

bool CDemoSession::CopyMissingFiles(const QString& sourceDir, const QString& targetDir) {
    const QDir source(sourceDir);
    if (!source.exists() || !QDir().mkpath(targetDir)) return false;
    bool ok = true;
    QDirIterator it(sourceDir, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = QDir(targetDir).filePath(source.relativeFilePath(from));
        if (QFileInfo::exists(to)) continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        // The copy is the user's to change: give it write permission.
        ok = QFile::copy(from, to) && ok;
        QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner);
    }
    return ok;
}

bool CDemoSession::Start(int timeoutMs) {
    if (!CopyMissingFiles(m_sourceDir, m_targetDir)) {
        m_error = QStringLiteral("cannot copy the demo files from %1 to %2")
                      .arg(m_sourceDir, m_targetDir);
        return false;
    }
    return StartDevice(timeoutMs) && WritePortSetting();
}

bool CDemoSession::StartDevice(int timeoutMs) {
    m_pDevice = new QProcess(this);
    m_pDevice->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The device ends with the program even when the program is killed; if
    // the program died before the request took effect, it does not start.
    const pid_t program = ::getpid();
    m_pDevice->setChildProcessModifier([program] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != program) ::_exit(1);
    });
    const QString profile = QDir(m_targetDir).filePath(QStringLiteral("device"));
    m_pDevice->start(m_devicePath,
                     {QStringLiteral("--profile"), profile, QStringLiteral("--link"), LinkPath()});
    // The device names its pseudo-terminal on a line "PTY <path>".
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && m_pDevice->state() != QProcess::NotRunning) {
        if (!m_pDevice->canReadLine()) m_pDevice->waitForReadyRead(50);
        while (m_pDevice->canReadLine()) {
            const QString line = QString::fromLocal8Bit(m_pDevice->readLine()).trimmed();
            if (line.startsWith(QLatin1String("PTY "))) {
                m_ptyPath = line.mid(4).trimmed();
                // Whatever else the device prints must not fill its pipe.
                connect(m_pDevice, &QProcess::readyReadStandardOutput, m_pDevice,
                        [device = m_pDevice] { device->readAllStandardOutput(); });
                return true;
            }
        }
    }
    m_error = QStringLiteral("the virtual device %1 did not start").arg(m_devicePath);
    Stop();
    return false;
}

bool CDemoSession::WritePortSetting() {
    const std::string dir = QDir(m_targetDir).absolutePath().toStdString() + "/";
    quelda::LineSettings settings;
    quelda::LoadLineSettings(dir, settings);
    settings.port = LinkPath().toStdString();
    if (quelda::SaveLineSettings(dir, settings)) return true;
    m_error = QStringLiteral("cannot write PSETTING.TXT in %1").arg(m_targetDir);
    return false;
}

void CDemoSession::Stop() {
    if (!m_pDevice) return;
    if (m_pDevice->state() != QProcess::NotRunning) {
        m_pDevice->terminate();
        if (!m_pDevice->waitForFinished(2000)) {
            m_pDevice->kill();
            m_pDevice->waitForFinished(1000);
        }
    }
    delete m_pDevice;
    m_pDevice = nullptr;
}
