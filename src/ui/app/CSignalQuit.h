#pragma once
// SIGTERM and SIGINT end the event loop instead of the process, so the main
// window goes, the port closes and a demo device is stopped in order.
#include <QObject>

#include "comm/SignalPipe.h"

class QSocketNotifier;

class CSignalQuit : public QObject {
    Q_OBJECT
public:
    explicit CSignalQuit(QObject* parent = nullptr);

    // Takes over both signals (one object per process); false on failure.
    bool Install();

private:
    void OnSignal();

    quelda::CSignalPipe m_pipe;
    QSocketNotifier* m_pNotifier = nullptr;
};
