#include "../core/music/MusicTestData.h"
#include "music/ImfLibApi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kRate = 44100;
constexpr double kOplClock = 49716.0; // the OPL's sample rate: F-number units

using zentrik::test::imfBytes;

// A plain sine voice on channel c (operator slots 0+c and 3+c for channels 0..2), keyed with
// the F-number and block, held for `hold` ticks.
std::vector<uint8_t> sustainedNote(int c, int fnum, int block, int hold) {
    return imfBytes(
        {
            {0x20 + c, 0x21, 0},
            {0x23 + c, 0x21, 0}, // frequency factor 1, sustained envelope
            {0x40 + c, 0x3F, 0},
            {0x43 + c, 0x00, 0}, // modulator silent, carrier at full level
            {0x60 + c, 0xF0, 0},
            {0x63 + c, 0xF0, 0}, // fastest attack, no decay
            {0x80 + c, 0x00, 0},
            {0x83 + c, 0x00, 0}, // loudest sustain
            {0xE0 + c, 0x00, 0},
            {0xE3 + c, 0x00, 0}, // sine
            {0xC0 + c, 0x00, 0},
            {0xA0 + c, fnum & 0xFF, 0},
            {0xB0 + c, 0x20 | (block << 2) | (fnum >> 8), hold},
            {0xB0 + c, (block << 2) | (fnum >> 8), 0},
        },
        false);
}

struct RendererDeleter {
    void operator()(IMFRenderer* r) const { DestroyIMFRenderer(r); }
};
using Renderer = std::unique_ptr<IMFRenderer, RendererDeleter>;

std::vector<int16_t> render(IMFRenderer* r, size_t frames) {
    std::vector<int16_t> s(frames);
    RenderIMFSamples(r, s.data(), uint32_t(frames));
    return s;
}

double energyAt(const std::vector<int16_t>& s, double hz) {
    // Goertzel filter: the power of one frequency.
    const double w = 2 * M_PI * hz / kRate, k = 2 * std::cos(w);
    double a = 0, b = 0;
    for (int16_t x : s) {
        const double y = x + k * a - b;
        b = a;
        a = y;
    }
    return a * a + b * b - k * a * b;
}

double strongestFrequency(const std::vector<int16_t>& s, double lo, double hi) {
    double best = lo, bestEnergy = -1;
    for (double f = lo; f <= hi; f += 1) {
        const double e = energyAt(s, f);
        if (e > bestEnergy)
            bestEnergy = e, best = f;
    }
    return best;
}

} // namespace

TEST(ImfRenderer, SustainedNoteSoundsAtItsFrequency) {
    struct Case {
        int channel, fnum, block;
    } cases[] = {{0, 580, 4}, {1, 345, 5}, {2, 651, 3}};
    for (const auto& c : cases) {
        Renderer r(CreateIMFRenderer(kRate));
        const auto song = sustainedNote(c.channel, c.fnum, c.block, 700);
        StartIMFRenderer(r.get(), song.data(), uint32_t(song.size()), 0);
        const auto s = render(r.get(), kRate / 2);
        const double expected = c.fnum * kOplClock / std::pow(2.0, 20 - c.block);
        const double found = strongestFrequency(s, expected * 0.5, expected * 1.5);
        EXPECT_NEAR(found, expected, expected * 0.03) << c.fnum << "/" << c.block;
    }
}

TEST(ImfRenderer, RenderersAtOtherRatesInOtherThreadsDoNotDisturbEachOther) {
    // The emulator keeps its work buffers and rate tables process-wide: an offline render
    // beside the live player must still give exactly what it gives alone.
    // The second note is keyed while both renderers exist, after the other one's start.
    auto song = sustainedNote(0, 580, 4, 100);
    const auto second = sustainedNote(1, 345, 5, 700);
    song.insert(song.end(), second.begin(), second.end());
    auto started = [&](uint32_t rate) {
        Renderer r(CreateIMFRenderer(rate));
        StartIMFRenderer(r.get(), song.data(), uint32_t(song.size()), 0);
        return r;
    };
    const uint32_t rates[] = {44100, 22050};
    std::vector<int16_t> alone[2], together[2];
    for (int i : {0, 1})
        alone[i] = render(started(rates[i]).get(), rates[i]);
    Renderer both[] = {started(rates[0]), started(rates[1])};
    std::thread other([&] { together[1] = render(both[1].get(), rates[1]); });
    together[0] = render(both[0].get(), rates[0]);
    other.join();
    EXPECT_EQ(together[0], alone[0]);
    EXPECT_EQ(together[1], alone[1]);
}

TEST(ImfRenderer, MutedChannelRendersSilenceAndOthersStillSound) {
    const auto song = sustainedNote(1, 580, 4, 700);
    Renderer r(CreateIMFRenderer(kRate));
    MuteIMFRendererChannel(r.get(), 1, 1);
    StartIMFRenderer(r.get(), song.data(), uint32_t(song.size()), 0);
    for (int16_t v : render(r.get(), kRate / 2))
        ASSERT_EQ(v, 0);
    // Unmuting mid-note lets the held note through again; muting another channel does not
    // touch this one.
    MuteIMFRendererChannel(r.get(), 1, 0);
    MuteIMFRendererChannel(r.get(), 2, 1);
    int loud = 0;
    for (int16_t v : render(r.get(), kRate / 4))
        loud += std::abs(v) > 1000;
    EXPECT_GT(loud, 1000);
    // The song data was not changed by muting.
    EXPECT_EQ(song, sustainedNote(1, 580, 4, 700));
}

TEST(ImfRenderer, PlayAtStartsAtTheTickWithEarlierNotesHeld) {
    // Silence for 1000 ticks, then the note: started at 1200 it sounds at once.
    auto song = imfBytes({{0x01, 0x00, 1000}}, false);
    const auto note = sustainedNote(0, 580, 4, 2000);
    song.insert(song.end(), note.begin(), note.end());
    Renderer r(CreateIMFRenderer(kRate));
    StartIMFRenderer(r.get(), song.data(), uint32_t(song.size()), 1200);
    EXPECT_EQ(GetIMFRendererPosition(r.get()), 1200);
    const auto s = render(r.get(), kRate / 2);
    EXPECT_EQ(GetIMFRendererPosition(r.get()), 1550);
    EXPECT_NEAR(strongestFrequency(s, 300, 600), 440, 440 * 0.03);
    // Started at 0 the first second is silent.
    StartIMFRenderer(r.get(), song.data(), uint32_t(song.size()), 0);
    for (int16_t v : render(r.get(), kRate))
        ASSERT_EQ(v, 0);
}

TEST(ImfRenderer, OddAndEmptyDataEndCleanly) {
    int ends = 0;
    Renderer r(CreateIMFRenderer(kRate));
    SetIMFRendererEndedEvent(
        r.get(), [](void* c) { ++*static_cast<int*>(c); }, &ends);
    const uint8_t tail[] = {0x01, 0x00, 10, 0, 0x08, 0x00, 7};
    StartIMFRenderer(r.get(), tail, sizeof tail, 0);
    render(r.get(), kRate);
    EXPECT_EQ(GetIMFRendererPosition(r.get()), 10);
    StartIMFRenderer(r.get(), nullptr, 0, 0);
    render(r.get(), 100);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(CreateIMFRenderer(0), nullptr);
    // Beyond the end: the song is over at once.
    StartIMFRenderer(r.get(), tail, sizeof tail, 5000);
    EXPECT_FALSE(IMFRendererPlaying(r.get()));
}
