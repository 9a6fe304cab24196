#pragma once

#include "music/MusicSet.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zentrik::test {

struct Ev {
    int reg, value, delay;
};

// IMF events, with a u16 length field in front unless told otherwise.
inline std::vector<uint8_t> imfBytes(std::initializer_list<Ev> events, bool lengthField = true) {
    std::vector<uint8_t> b;
    if (lengthField) {
        const size_t n = events.size() * 4;
        b = {uint8_t(n), uint8_t(n >> 8)};
    }
    for (const Ev& e : events) {
        b.push_back(uint8_t(e.reg));
        b.push_back(uint8_t(e.value));
        b.push_back(uint8_t(e.delay));
        b.push_back(uint8_t(e.delay >> 8));
    }
    return b;
}

// A song chunk as the loader keeps it: the chunk and three zero bytes.
inline Song songOf(std::vector<uint8_t> chunk, int number = 0) {
    Song s;
    s.length = uint32_t(chunk.size());
    s.chunk = number;
    s.buffer = std::move(chunk);
    s.buffer.resize(s.length + kSongPadding, 0);
    return s;
}

// An audio header for chunks of the given lengths laid end to end.
inline std::vector<uint8_t> audioHead(const std::vector<size_t>& lengths) {
    std::vector<uint8_t> b;
    uint32_t at = 0;
    auto put = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    put(at);
    for (size_t n : lengths)
        put(at += uint32_t(n));
    return b;
}

} // namespace zentrik::test
