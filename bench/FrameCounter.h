#pragma once
// A receive-parser listener that only counts good frames and receive errors.
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/ReceiveParser.h"

class FrameCounter : public quelda::IParserListener {
public:
    long long frames = 0;
    long long errors = 0;
    void OnFrameEnd(const char*, std::size_t) override {}
    void OnFrame(const std::string&, const char*, std::size_t, const uint8_t*,
                 std::size_t) override {
        ++frames;
    }
    void OnReceiveError(quelda::ReceiveError) override { ++errors; }
};
