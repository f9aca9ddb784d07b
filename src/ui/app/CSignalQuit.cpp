#include "app/CSignalQuit.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include "comm/ExitWatchdog.h"

namespace {
constexpr int kExitGraceMs = 900;
}

CSignalQuit::CSignalQuit(QObject* parent) : QObject(parent) {}

bool CSignalQuit::Install() {
    if (m_pNotifier || !m_pipe.Install()) return false;
    m_pNotifier = new QSocketNotifier(m_pipe.Fd(), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CSignalQuit::OnSignal);
    // a load in progress keeps the loop from the notifier: end regardless
    quelda::ArmExitWatchdog(m_pipe.Fd(), kExitGraceMs);
    return true;
}

void CSignalQuit::OnSignal() {
    // Every loop ends, a modal dialog's too; nothing asks questions now.
    if (m_pipe.Raised()) QCoreApplication::exit(0);
}
