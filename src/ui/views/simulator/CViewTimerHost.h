#pragma once
// The timers a core object of a window starts, as QTimers the window owns,
// so they stop with the window and never meet the main frame's timers.
#include <QObject>
#include <functional>
#include <map>
#include <utility>

#include "routing/MainHost.h"

class QTimer;

class CViewTimerHost : public QObject, public quelda::ITimerHost {
    Q_OBJECT
public:
    // afterExpiry runs after every expiry has reached its owner, so the
    // window can show what the owner did.
    explicit CViewTimerHost(QObject* parent, std::function<void()> afterExpiry = {});

    void StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) override;
    void KillTimer(quelda::ITimerClient& owner, int id) override;

private:
    using Key = std::pair<const quelda::ITimerClient*, int>;
    std::map<Key, QTimer*> m_timers;
    std::function<void()> m_afterExpiry;
};
