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

    void StartTimer(int id, int milliseconds) override { timers[id] = milliseconds; }
    void KillTimer(int id) override { timers.erase(id); }
    bool TimerRunning(int id) const { return timers.count(id) != 0; }

    void Message(const std::string& text) override { messages.push_back(text); }
    void Ask(const std::string& text, std::function<void(bool)> reply) override {
        asks.push_back(text);
        reply(answer);
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
    void PostCommNotify() override { ++posted; }

    void LineSent(const std::string& line) override { sent.push_back(line); }
    void ReceiveError(const std::string& text) override { receiveErrors.push_back(text); }
    void LineError(const std::string& text) override { lineErrors.push_back(text); }

    std::vector<int> Hints() const {
        std::vector<int> hints;
        for (const BroadcastRecord& b : broadcasts) hints.push_back(b.hint);
        return hints;
    }
};

}  // namespace quelda::test
