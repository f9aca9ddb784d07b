#pragma once
// Reopening a port that hung up (adapter pulled, device restarted):
//   idle      connected, or closed by the user
//   waiting   the port was lost; once every kRetryMs one silent attempt
// Events: Lost, the retry timer's expiry, Cancel (the user connects,
// disconnects or starts a search).
#include "routing/MainHost.h"

namespace quelda {

// What an attempt does to the line; the main core does it.
class ILineReconnectHost {
public:
    virtual ~ILineReconnectHost() = default;
    // Opens the port again with the line settings; false when it is not back.
    virtual bool ReopenLine() = 0;
};

class CLineReconnect : public ITimerClient {
public:
    static constexpr int kTimerId = 3;
    static constexpr int kRetryMs = 1000;

    CLineReconnect(ITimerHost& timers, ILineReconnectHost& line) : m_timers(timers), m_line(line) {}

    void Lost();
    void Cancel();
    void OnTimer(int id) override;

    bool Waiting() const { return m_bWaiting; }
    // Attempts since the loss.
    int Attempts() const { return m_nAttempts; }

private:
    ITimerHost& m_timers;
    ILineReconnectHost& m_line;
    bool m_bWaiting = false;
    int m_nAttempts = 0;
};

}  // namespace quelda
