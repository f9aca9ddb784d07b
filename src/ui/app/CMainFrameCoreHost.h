#pragma once
// The main frame's host for its core: private to CMainFrame, in a header of
// its own only because the frame's constructor and destructor need it whole.
#include <map>
#include <utility>

#include "app/CMainFrame.h"

class CMainFrame::CoreHost : public quelda::IMainHost {
public:
    explicit CoreHost(CMainFrame& frame) : m_frame(frame) {}

    void StartTimer(quelda::ITimerClient& owner, int id, int milliseconds) override;
    void KillTimer(quelda::ITimerClient& owner, int id) override;
    void ShowPrompt(const quelda::Prompt& prompt, std::function<void(bool)> answer) override;
    void AddLine(const std::string& text, int kind) override;
    void ReplaceLast(const std::string& text, int kind) override;
    // The terminals show a frame's binary block after its text.
    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override;
    bool HasDocument() const override;
    std::vector<quelda::ViewInfo> Views() const override;
    void Broadcast(int hint, const uint8_t* data, std::size_t length) override;
    void ConnectionChanged() override { m_frame.OnConnectionChanged(); }
    void SetTitle(const std::string& title) override;
    void PortOpenFailed(const std::string& reason) override;
    void PostCommNotify() override;
    void ShowConnectionStatus(const std::string& text) override;

private:
    template <class Visit>
    void ForEachTerminal(Visit visit);

    CMainFrame& m_frame;
    std::map<std::pair<quelda::ITimerClient*, int>, QTimer*> m_timers;
};
