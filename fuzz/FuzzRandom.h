#pragma once
// The fixed-seed generator both replay drivers draw their inputs from.
#include <cstddef>
#include <cstdint>
#include <string>

class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed) : m_state(seed) {}
    uint64_t Next() {  // splitmix64
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return n ? static_cast<std::size_t>(Next() % n) : 0; }
    char Byte() { return static_cast<char>(Next()); }
    std::string Noise(std::size_t n) {
        std::string out(n, '\0');
        for (char& c : out) c = Byte();
        return out;
    }

private:
    uint64_t m_state;
};
