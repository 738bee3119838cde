// Frames as the application sends them, built byte by byte from the protocol tables, for the
// emulator tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace unit_emulator_test {

using Bytes = std::vector<uint8_t>;

inline Bytes Frame(const Bytes& body) {
    Bytes frame{0xDD, 0xBB, static_cast<uint8_t>(body.size())};
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

inline uint8_t GroupCode(int group) { return static_cast<uint8_t>(3 - group); }

inline Bytes TextFrame(int group, int row, int x, int y, int size, const std::string& text) {
    Bytes body{static_cast<uint8_t>(GroupCode(group) << 6 | row << 2 | 1), static_cast<uint8_t>(x),
               static_cast<uint8_t>(size * 64 + y)};
    body.insert(body.end(), text.begin(), text.end());
    return Frame(body);
}

inline Bytes ClearFrame(int row) { return Frame({static_cast<uint8_t>(0xC0 | row << 2), 0, 0}); }

inline Bytes ReadFrame(int group, int row) { return Frame({static_cast<uint8_t>(group * 16 + row)}); }

inline Bytes ClockFrame(bool show, const std::string& digits) {
    Bytes body{static_cast<uint8_t>(show ? 0x35 : 0x34), 0, 0};
    body.insert(body.end(), digits.begin(), digits.end());
    return Frame(body);
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace unit_emulator_test
