#pragma once
// The simulator window's logic, driven by events: Send with the window's
// current values, Stop, the periodic timer and frames routed to it. It acts
// through the main frame's SendLine and reception prefix, its own timer and
// the prompt host. The window shows Rows() and forwards the user's actions.
#include <string>
#include <vector>

#include "routing/MainHost.h"
#include "simulator/SimParam.h"
#include "simulator/SimulatorFile.h"
#include "simulator/SimulatorSettings.h"

namespace quelda {

// What the simulator needs of the main frame.
class ISimulatorLink {
public:
    virtual ~ISimulatorLink() = default;
    // The main frame's SendLine with reply-wait 0; false when it refused
    // (another window awaits a reply).
    virtual bool SendLine(const std::string& text) = 0;
    // Frames that begin with it are routed to the simulator (empty: all).
    virtual void SetSimulatorPrefix(const std::string& prefix) = 0;
};

enum class SimMode { Once = 0, Periodic = 1, Response = 2 };

// What one row's control holds at Send: the edit's text for an edit row,
// the list's selection (offered index, -1 for none) for a choice row.
struct SimRowInput {
    std::string text;
    int selection = -1;
};

class CSimulator : public ITimerClient {
public:
    static constexpr int kTimerId = 1;

    // appDir ends with "/".
    CSimulator(ISimulatorLink& link, ITimerHost& timers, IPromptHost& prompts, std::string appDir);
    ~CSimulator() override;
    CSimulator(const CSimulator&) = delete;
    CSimulator& operator=(const CSimulator&) = delete;

    // The window's first update: the four settings and SIMULATOR.TXT with
    // its choice files. Says once, through the prompt host, when
    // definitions beyond the 20th are ignored or the file is refused.
    void Load();
    const SimulatorSettings& Settings() const { return m_settings; }
    // The shown definitions, row by row (at most 20).
    const std::vector<SimParam>& Rows() const { return m_file.Params(); }
    // A row's control as the window opens (text, or the list's selection).
    SimRowInput InitialInput(int row) const;
    // Definitions beyond the 20th, kept in the file but never sent.
    std::size_t SurplusCount() const { return m_file.SurplusCount(); }
    // SIMULATOR.TXT was not a regular file or too large: nothing shown and
    // it is not rewritten.
    bool FileRefused() const { return m_file.Outcome() == ReadOutcome::Refused; }

    // Send: settings are the window's header, period, reception and
    // checksum; rows holds one input per shown row (missing ones keep
    // column 6). Builds the message, saves settings and definitions, and
    // starts the mode.
    void Send(const SimulatorSettings& settings, SimMode mode,
              const std::vector<SimRowInput>& rows);
    void Stop();
    void OnTimer(int id) override;
    // A frame routed to the simulator (hint 7): the reply in response mode.
    void OnFrame();

    bool Running() const { return m_bRunning; }
    SimMode Mode() const { return m_mode; }
    const std::string& Message() const { return m_strMessage; }
    bool TimerRunning() const { return m_bTimer; }
    int IntervalMs() const { return m_nInterval; }
    // Sends SendLine refused since the last Send (that Send's own included).
    int RefusedCount() const { return m_nRefused; }

private:
    void SendMessage();
    void KillTimer();

    ISimulatorLink& m_link;
    ITimerHost& m_timers;
    IPromptHost& m_prompts;
    std::string m_strAppDir;
    SimulatorSettings m_settings;
    CSimulatorFile m_file;
    std::string m_strMessage;
    SimMode m_mode = SimMode::Once;
    bool m_bRunning = false;
    bool m_bTimer = false;
    int m_nInterval = 0;
    int m_nRefused = 0;
};

}  // namespace quelda
