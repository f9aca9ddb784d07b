#pragma once
// What the core needs from its front end (the Qt main frame, the CLI, or a
// test fake), cut by role so that each core object asks only for what it
// uses. Nothing here may block on a modal box.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "routing/Routing.h"
#include "routing/UpdateHint.h"

namespace quelda {

// Whoever starts a timer receives its expiries; ids are the owner's own, so
// two owners may both use id 1.
class ITimerClient {
public:
    virtual ~ITimerClient() = default;
    virtual void OnTimer(int id) = 0;
};

class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    // A timer repeats until it is killed; starting a running one restarts it.
    virtual void StartTimer(ITimerClient& owner, int id, int milliseconds) = 0;
    virtual void KillTimer(ITimerClient& owner, int id) = 0;
};

enum class PromptButtons { Ok, OkCancel, YesNo };
enum class PromptKind { Information, Warning, Error };

struct Prompt {
    std::string text;
    PromptButtons buttons = PromptButtons::Ok;
    PromptKind kind = PromptKind::Information;
    std::string caption;  // empty: the program's name
};

class IPromptHost {
public:
    virtual ~IPromptHost() = default;
    // answer (maybe later) gets true for OK or Yes; it may be empty for a
    // box that only informs.
    virtual void ShowPrompt(const Prompt& prompt, std::function<void(bool)> answer) = 0;

    void Message(const std::string& text) {
        ShowPrompt({text, PromptButtons::Ok, PromptKind::Information, {}}, nullptr);
    }
    void Ask(const std::string& text, std::function<void(bool)> answer) {
        ShowPrompt({text, PromptButtons::YesNo, PromptKind::Information, {}}, std::move(answer));
    }
};

// The terminal display on every terminal view.
class ITerminalSink {
public:
    virtual ~ITerminalSink() = default;
    virtual void AddLine(const std::string& text, int kind) = 0;
    virtual void ReplaceLast(const std::string& text, int kind) = 0;
};

// The open views of the shared document, for routing and the broadcast.
class IViewHost {
public:
    virtual ~IViewHost() = default;
    // false when no window is open at all.
    virtual bool HasDocument() const = 0;
    // In view order.
    virtual std::vector<ViewInfo> Views() const = 0;
    // Update every view of the document with the hint and the data.
    virtual void Broadcast(int hint, const uint8_t* data, std::size_t length) = 0;
};

class IConnectionHost {
public:
    virtual ~IConnectionHost() = default;
    // After every Connect and Disconnect (enable states, EEPROM and simulator views).
    virtual void ConnectionChanged() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // After the "COM port open error" box: why the port did not open.
    virtual void PortOpenFailed(const std::string& reason) = 0;
    // Called on the channel's receive thread: arrange for CMainCore::OnCommNotify
    // to run on the host's own thread.
    virtual void PostCommNotify() = 0;
    // The connection's port, settings and state in words, whenever they change.
    virtual void ShowConnectionStatus(const std::string& text) {}
};

// Events for front ends that report events instead of drawing them
// (quelda-cli); windows can leave them alone.
class ITrafficObserver {
public:
    virtual ~ITrafficObserver() = default;
    // Every line SendLine/SendCommand wrote, CR LF included.
    virtual void LineSent(const std::string& line) {}
    // Every receive error of the parser, whatever the error display says.
    virtual void ReceiveError(const std::string& text) {}
    // Every line error the channel reported, whatever the error display says.
    virtual void LineError(const std::string& text) {}
    // Every complete frame, whatever views are open; block is the binary
    // block of a frame of the binary command (else empty).
    virtual void FrameReceived(const std::string& command, const std::string& text,
                               const uint8_t* block, std::size_t blockCount) {}
};

// All roles together: what CMainCore is given.
class IMainHost : public ITimerHost,
                  public IPromptHost,
                  public ITerminalSink,
                  public IViewHost,
                  public IConnectionHost,
                  public ITrafficObserver {};

}  // namespace quelda
