#include "views/simulator/CViewTimerHost.h"

#include <QTimer>

CViewTimerHost::CViewTimerHost(QObject* parent, std::function<void()> afterExpiry)
    : QObject(parent), m_afterExpiry(std::move(afterExpiry)) {}

void CViewTimerHost::StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) {
    QTimer*& timer = m_timers[{&owner, id}];
    if (!timer) {
        timer = new QTimer(this);
        // Precise: a periodic send at 10 Hz should not drift to the coarse
        // timer's 5 % slack.
        timer->setTimerType(Qt::PreciseTimer);
        quelda::ITimerClient* client = &owner;
        connect(timer, &QTimer::timeout, this, [this, client, id] {
            client->OnTimer(id);
            if (m_afterExpiry) m_afterExpiry();
        });
    }
    timer->start(milliseconds);
}

void CViewTimerHost::KillTimer(quelda::ITimerClient& owner, int id) {
    auto it = m_timers.find({&owner, id});
    if (it == m_timers.end()) return;
    it->second->stop();
}

