#pragma once
// A host for the main core that records what it is asked to do: timers are
// only noted (the test fires them), questions are answered from a preset,
// the terminal is a plain list of lines.
#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "routing/MainHost.h"

namespace quelda::test {

struct TermLine {
    int kind;
    std::string text;
    bool operator==(const TermLine& o) const { return kind == o.kind && text == o.text; }
};

struct BroadcastRecord {
    int hint;
    std::string data;
    bool operator==(const BroadcastRecord& o) const { return hint == o.hint && data == o.data; }
};

class FakeHost : public IMainHost {
public:
    // Running timers: id -> period.
    std::map<int, int> timers;
    std::vector<std::string> messages;
    std::vector<std::string> asks;
    std::vector<Prompt> prompts;  // every box, in order, with its buttons and kind
    std::vector<std::string> openFailures;
    bool answer = false;
    std::vector<TermLine> lines;
    int replaceCalls = 0;
    bool hasDocument = true;
    std::vector<ViewInfo> views;
    std::vector<BroadcastRecord> broadcasts;
    int connectionChanges = 0;
    std::string title;
    std::atomic<int> posted{0};
    std::vector<std::string> sent;
    std::vector<std::string> receiveErrors;
    std::vector<std::string> lineErrors;

    // Only the core starts timers here, so the id alone names one.
    void StartTimer(ITimerClient&, int id, int milliseconds) override { timers[id] = milliseconds; }
    void KillTimer(ITimerClient&, int id) override { timers.erase(id); }
    bool TimerRunning(int id) const { return timers.count(id) != 0; }

    // OK-only boxes are messages, the others questions answered with `answer`.
    void ShowPrompt(const Prompt& prompt, std::function<void(bool)> reply) override {
        prompts.push_back(prompt);
        if (prompt.buttons == PromptButtons::Ok) {
            messages.push_back(prompt.text);
            if (reply) reply(true);
        } else {
            asks.push_back(prompt.text);
            if (reply) reply(answer);
        }
    }

    void AddLine(const std::string& text, int kind) override { lines.push_back({kind, text}); }
    void ReplaceLast(const std::string& text, int kind) override {
        ++replaceCalls;
        if (lines.empty()) {
            lines.push_back({kind, text});
        } else {
            lines.back().text = text;
        }
    }

    bool HasDocument() const override { return hasDocument; }
    std::vector<ViewInfo> Views() const override { return views; }
    void Broadcast(int hint, const uint8_t* data, std::size_t length) override {
        broadcasts.push_back({hint, std::string(reinterpret_cast<const char*>(data), length)});
        if (onBroadcast) onBroadcast(hint);
    }
    // Lets a test act like a view inside the broadcast (a simulator response).
    std::function<void(int)> onBroadcast;

    void ConnectionChanged() override { ++connectionChanges; }
    void SetTitle(const std::string& text) override { title = text; }
    void PortOpenFailed(const std::string& reason) override { openFailures.push_back(reason); }
    void PostCommNotify() override { ++posted; }

    void LineSent(const std::string& line) override { sent.push_back(line); }
    void ReceiveError(const std::string& text) override { receiveErrors.push_back(text); }
    void LineError(const std::string& text) override { lineErrors.push_back(text); }
    void FrameReceived(const std::string& command, const std::string& text, const uint8_t* block,
                       std::size_t blockCount) override {
        frames.push_back({command, text,
                          blockCount ? std::string(reinterpret_cast<const char*>(block), blockCount)
                                     : std::string()});
    }
    struct FrameRecord {
        std::string command, text, block;
    };
    std::vector<FrameRecord> frames;

    std::vector<int> Hints() const {
        std::vector<int> hints;
        for (const BroadcastRecord& b : broadcasts) hints.push_back(b.hint);
        return hints;
    }
};

}  // namespace quelda::test
