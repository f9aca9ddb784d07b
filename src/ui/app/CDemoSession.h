#pragma once
// Demo mode: a writable copy of the demo files, and the virtual device
// answering on a pseudo-terminal that PSETTING.TXT names as the port.
#include <QObject>
#include <QString>

class QProcess;

class CDemoSession : public QObject {
    Q_OBJECT
public:
    // sourceDir: the demo files (with the device's profile in device/);
    // targetDir: the program directory to use; devicePath: quelda-device.
    CDemoSession(const QString& sourceDir, const QString& targetDir, const QString& devicePath,
                 QObject* parent = nullptr);
    ~CDemoSession() override;

    // Copies the files the target lacks, starts the device and points
    // PSETTING.TXT at its link. false with Error() set when that fails.
    bool Start(int timeoutMs = 5000);
    void Stop();

    const QString& TargetDir() const { return m_targetDir; }
    QString LinkPath() const;
    const QString& PtyPath() const { return m_ptyPath; }
    const QString& Error() const { return m_error; }

    // Copies every file of source below target that target does not hold yet.
    static bool CopyMissingFiles(const QString& sourceDir, const QString& targetDir);

private:
    bool StartDevice(int timeoutMs);
    bool WritePortSetting();

    QString m_sourceDir;
    QString m_targetDir;
    QString m_devicePath;
    QString m_ptyPath;
    QString m_error;
    QProcess* m_pDevice = nullptr;
};
