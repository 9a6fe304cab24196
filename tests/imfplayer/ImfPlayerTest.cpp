#include "music/ImfLibApi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

std::vector<uint8_t> rests(int events, int delay) {
    std::vector<uint8_t> b;
    for (int i = 0; i < events; ++i)
        b.insert(b.end(), {0x01, 0x00, uint8_t(delay), uint8_t(delay >> 8)});
    return b;
}

template <class Pred> bool waitFor(Pred pred, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

} // namespace

// Without an audio device (and without an application object) the player runs by the clock:
// the position moves and the end is reported once.
TEST(ImfPlayer, PlaysByTheClockWithoutADevice) {
    static std::atomic<int> ends{0};
    InitIMFPlayer();
    EXPECT_EQ(IMFPlayerHasAudioDevice(), 0);
    SetIMFEndedEvent([](void*) { ++ends; }, nullptr);
    const auto song = rests(2, 70); // 140 ticks: 0.2 s
    StartIMFMusic(song.data(), uint32_t(song.size()));
    MuteIMFChannel(3, 1);
    MuteIMFChannel(3, 0);
    MuteIMFChannel(42, 1); // out of range: ignored
    EXPECT_TRUE(waitFor([] { return GetIMFPosition() > 0; }, 2000ms));
    EXPECT_TRUE(waitFor([] { return ends.load() == 1; }, 3000ms));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(ends.load(), 1);
    EXPECT_EQ(GetIMFPosition(), 140);

    const auto longSong = rests(100, 700);
    PlayIMFMusicAt(longSong.data(), uint32_t(longSong.size()), 7000);
    EXPECT_GE(GetIMFPosition(), 7000);
    PauseIMFMusic();
    const int32_t paused = GetIMFPosition();
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(GetIMFPosition(), paused);
    PauseIMFMusic();
    EXPECT_TRUE(waitFor([&] { return GetIMFPosition() > paused; }, 2000ms));
    StopIMFMusic();
    ShutdownIMFPlayer();
    EXPECT_EQ(GetIMFPosition(), 0);
    StartIMFMusic(song.data(), uint32_t(song.size())); // after shutdown: nothing happens
}
