#pragma once

#include "music/ImfPlayerBinding.h"
#include "music/MusicSet.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zentrik::test {

struct Ev {
    int reg, value, delay;
};

// IMF events, with a u16 length field in front unless told otherwise.
inline std::vector<uint8_t> imfBytes(const std::vector<Ev>& events, bool lengthField = true) {
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

// Records what a page asks of the player, so that no test needs a sound device.
class RecordingPlayer : public MusicPlayer {
public:
    std::vector<std::string> calls;
    std::array<int, 9> muteState{};
    int muteCalls = 0;
    bool ready() const override { return true; }
    void start(std::span<const uint8_t> imf) override {
        calls.push_back("start " + std::to_string(imf.size()));
    }
    void playAt(std::span<const uint8_t>, int32_t tick) override {
        calls.push_back("at " + std::to_string(tick));
    }
    void pause() override { calls.push_back("pause"); }
    void stop() override { calls.push_back("stop"); }
    int32_t position() override { return 0; }
    void mute(int channel, bool muted) override {
        muteState.at(size_t(channel)) = muted;
        ++muteCalls;
    }
    int starts() const {
        return int(std::count_if(calls.begin(), calls.end(),
                                 [](const std::string& c) { return c.rfind("start", 0) == 0; }));
    }
};

} // namespace zentrik::test
