#pragma once
// The automatic line-setting search: 15 steps over five baud rates and three
// parities (8 data bits, 1 stop bit), each a "COM*" probe with 500 ms for
// the device to answer "COM".
//   idle       not started, answered, refused, or all steps tried
//   probing    a probe is out and the step timer runs
// Events: Start, the step timer's expiry, a "COM" answer. When all steps
// are tried the user's own settings come back.
#include <string>

#include "config/LineSettings.h"

#include "routing/MainHost.h"

namespace quelda {

// What a search step does to the line; the main core does it.
class ILineSearchHost {
public:
    virtual ~ILineSearchHost() = default;
    virtual void DisconnectLine() = 0;
    // Connects at baud and parity with 8 data bits and 1 stop bit.
    virtual void ConnectWith(const std::string& baud, const std::string& parity) = 0;
    // "COM*" with a reply wait; false when it was refused.
    virtual bool SendProbe() = 0;
    virtual void ClearReplyWait() = 0;
    virtual void SaveFoundSettings() = 0;
    // All steps tried: put back the settings from before the search.
    virtual void SearchFailed() = 0;
    // The setting being tried changed, or the search ended.
    virtual void SearchChanged() = 0;
};

class CLineSearch : public ITimerClient {
public:
    static constexpr int kTimerId = 2;
    static constexpr int kStepMs = 500;
    static constexpr int kSteps = 15;

    CLineSearch(ITimerHost& timers, IPromptHost& prompts, ILineSearchHost& line)
        : m_timers(timers), m_prompts(prompts), m_line(line) {}

    void Start();
    // One step: the next setting, or "could not connect" after the last.
    void Step();
    // A "COM" frame arrived; it counts only while probing.
    void ComAnswer();
    void OnTimer(int id) override;

    bool Running() const { return m_bProbing; }
    int Index() const { return m_nIndex; }
    // A step is under way (from its Disconnect to its answer or time-out).
    bool Active() const { return m_nTrying >= 0; }
    // The setting of the step under way and its 1-based number; false when
    // no search runs.
    bool Trying(LineSettings& entry, int& step) const;

private:
    void StopTimer();
    void End();

    ITimerHost& m_timers;
    IPromptHost& m_prompts;
    ILineSearchHost& m_line;
    bool m_bProbing = false;
    int m_nIndex = 0;
    int m_nTrying = -1;  // table entry of the step under way
};

}  // namespace quelda
