#pragma once
// What the main core needs from its front end (the Qt main frame, the CLI,
// or a test fake). Nothing here may block on a modal box.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "routing/Routing.h"
#include "routing/UpdateHint.h"

namespace quelda {

class IMainHost {
public:
    virtual ~IMainHost() = default;

    // Window timers by id (1 reply, 2 search); on expiry call CMainCore::OnTimer(id).
    // Starting a running id restarts it.
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;

    // A message box with an OK button.
    virtual void Message(const std::string& text) = 0;
    // A Yes/No question; answer is called (maybe later) with true for Yes.
    virtual void Ask(const std::string& text, std::function<void(bool)> answer) = 0;

    // Terminal display on every terminal view.
    virtual void AddLine(const std::string& text, int kind) = 0;
    virtual void ReplaceLast(const std::string& text, int kind) = 0;

    // The open views of the shared document, in view order; hasDocument is
    // false when no window is open at all.
    virtual bool HasDocument() const = 0;
    virtual std::vector<ViewInfo> Views() const = 0;
    // Update every view of the document with the hint and the data.
    virtual void Broadcast(int hint, const uint8_t* data, std::size_t length) = 0;

    // After every Connect and Disconnect (enable states, EEPROM and simulator views).
    virtual void ConnectionChanged() = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // Called on the channel's receive thread: arrange for CMainCore::OnCommNotify
    // to run on the host's own thread.
    virtual void PostCommNotify() = 0;

    // Event hooks for front ends that report events instead of drawing them
    // (quelda-cli); windows can leave them alone.
    // Every line SendLine/SendCommand wrote, CR LF included.
    virtual void LineSent(const std::string& line) {}
    // Every receive error of the parser, whatever the error display says.
    virtual void ReceiveError(const std::string& text) {}
    // Every line error the channel reported, whatever the error display says.
    virtual void LineError(const std::string& text) {}
};

}  // namespace quelda
