#pragma once
// The reply wait: while a sent line waits for its answer, no other line goes
// out. The wait flag and the 500 ms reply timer are set and cleared by
// different events, so four states exist:
//   idle           no flag, no timer
//   waiting        flag only (a line sent with a wait, answered by the caller)
//   timed          flag and timer (a waiting command: "ACK", "NAK" or time-out)
//   timer only     the flag was cleared while the timer still runs
// Events: Sent, ArmTimer, Ack, Nak, Clear, the timer's expiry.
#include "routing/MainHost.h"

namespace quelda {

class CReplyWait : public ITimerClient {
public:
    static constexpr int kTimerId = 1;
    static constexpr int kTimeoutMs = 500;

    CReplyWait(ITimerHost& timers, IPromptHost& prompts) : m_timers(timers), m_prompts(prompts) {}

    // A line went out; a non-zero wait blocks the next one.
    void Sent(int wait) { m_bWaiting = wait != 0; }
    // The line was a waiting command: its answer must come within 500 ms.
    void ArmTimer();
    void Ack();
    void Nak();
    void Clear() { m_bWaiting = false; }
    void OnTimer(int id) override;

    bool Waiting() const { return m_bWaiting; }
    bool TimerRunning() const { return m_bTimer; }

private:
    void StopTimer();

    ITimerHost& m_timers;
    IPromptHost& m_prompts;
    bool m_bWaiting = false;
    bool m_bTimer = false;
};

}  // namespace quelda
