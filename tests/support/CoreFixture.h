#pragma once
// A main core over a scratch program directory and a recording host.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "routing/MainCore.h"
#include "support/FakeHost.h"
#include "support/ParserTestSupport.h"
#include "support/TempDir.h"

namespace quelda::test {

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override { Reload(); }

    // A fresh core that reads the files written so far.
    void Reload() {
        core.reset();
        core = std::make_unique<CMainCore>(host, dir.Path());
        core->LoadAll();
    }

    void Feed(const std::string& bytes) {
        for (char c : bytes) core->ReceiveByte(static_cast<uint8_t>(c));
    }

    // Runs the notifications the channel posts until `done` holds, polling
    // every 2 ms for at most timeoutMs.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            const int posted = host.posted.load();
            if (posted != m_handled) {
                m_handled = posted;
                core->OnCommNotify();
            }
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return done();
    }

    TempDir dir;
    FakeHost host;
    std::unique_ptr<CMainCore> core;

private:
    int m_handled = 0;
};

}  // namespace quelda::test
