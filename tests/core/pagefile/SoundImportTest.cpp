// Importing sound files: every channel mixed, band-limited down-conversion, the depths and
// layouts of WAV and the other formats, files cut short or empty, and unsupported ones named.
#include "TestSupport.h"

#include "io/ByteWriter.h"
#include "pagefile/SoundEdit.h"
#include "pagefile/SoundFile.h"
#include "pagefile/Wav.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>

namespace zentrik::test {
namespace {

// A WAV file with the given "fmt " body and data bytes; `claimed` overrides the data size.
std::vector<uint8_t> riff(const std::vector<uint8_t>& fmt, const std::vector<uint8_t>& data,
                          std::optional<uint32_t> claimed = {}) {
    ByteWriter w;
    w.text("RIFF");
    w.u32(uint32_t(4 + 8 + fmt.size() + 8 + data.size()));
    w.text("WAVEfmt ");
    w.u32(uint32_t(fmt.size()));
    w.bytes(fmt);
    w.text("data");
    w.u32(claimed.value_or(uint32_t(data.size())));
    w.bytes(data);
    return w.take();
}

constexpr uint16_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;

// The fmt body: tag, channels, rate, byte rate, block align, bits (+ the extensible part,
// whose sub-format GUID starts with the real tag).
std::vector<uint8_t> fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                             uint16_t subTag = 0) {
    ByteWriter w;
    w.u16(tag);
    w.u16(channels);
    w.u32(rate);
    w.u32(rate * channels * bits / 8);
    w.u16(uint16_t(channels * bits / 8));
    w.u16(bits);
    if (tag == kExtensible) {
        w.u16(22);
        w.u16(bits);
        w.u32(channels == 2 ? 3 : 4); // speaker mask
        w.u16(subTag);
        const uint8_t guidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        w.bytes(std::span<const uint8_t>(guidTail));
    }
    return w.take();
}

// 16-bit PCM of per-channel signals.
std::vector<uint8_t> pcm16(uint32_t rate, int frames,
                           const std::vector<std::function<double(double)>>& channels) {
    ByteWriter w;
    for (int i = 0; i < frames; ++i)
        for (const auto& f : channels)
            w.u16(uint16_t(int16_t(std::lround(f(double(i) / rate) * 32767))));
    return riff(fmtBody(kPcm, uint16_t(channels.size()), rate, 16), w.take());
}

std::function<double(double)> tone(double hz, double amplitude) {
    return [=](double t) { return amplitude * std::sin(2 * std::numbers::pi * hz * t); };
}

// The amplitude of one frequency in the middle half of 8-bit samples (Goertzel).
double amplitudeAt(const std::vector<uint8_t>& s, double hz, int rate) {
    const size_t from = s.size() / 4, to = s.size() * 3 / 4;
    const double w = 2 * std::numbers::pi * hz / rate;
    double re = 0, im = 0;
    for (size_t i = from; i < to; ++i) {
        re += (s[i] - 128.0) * std::cos(w * double(i));
        im += (s[i] - 128.0) * std::sin(w * double(i));
    }
    return 2 * std::hypot(re, im) / double(to - from) / 128.0;
}

double rms(const std::vector<uint8_t>& s) {
    const size_t from = s.size() / 4, to = s.size() * 3 / 4;
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += (s[i] - 128.0) * (s[i] - 128.0);
    return std::sqrt(sum / double(to - from)) / 128.0;
}

std::vector<uint8_t> imported(const std::vector<uint8_t>& file, int rate) {
    StrictPrompter p;
    SoundSet set;
    EXPECT_TRUE(importSound(set, 0, file, rate, p));
    EXPECT_TRUE(p.messages.empty()) << p.messages.at(0).text;
    return set.sounds.empty() ? std::vector<uint8_t>{} : set.sounds[0].samples;
}

TEST(SoundImport, ToneAboveTheTargetNyquistIsFilteredNotAliased) {
    // 5000 Hz at 44.1 kHz once came out as a full-strength 2042 Hz tone at 7042 Hz.
    const auto high = imported(pcm16(44100, 44100, {tone(5000, 0.5)}), 7042);
    const auto pass = imported(pcm16(44100, 44100, {tone(1000, 0.5)}), 7042);
    ASSERT_EQ(high.size(), 7042u);
    ASSERT_EQ(pass.size(), 7042u);
    EXPECT_NEAR(amplitudeAt(pass, 1000, 7042), 0.5, 0.02);
    EXPECT_LE(20 * std::log10(std::max(rms(high), 1e-9) / rms(pass)), -40.0);
}

TEST(SoundImport, StereoIsMixedToMono) {
    // 880 Hz left and 300 Hz right: the left channel alone once lost the 300 Hz tone.
    const auto out = imported(pcm16(44100, 22050, {tone(880, 0.8), tone(300, 0.8)}), 7042);
    ASSERT_EQ(out.size(), 3521u);
    EXPECT_NEAR(amplitudeAt(out, 880, 7042), 0.4, 0.02);
    EXPECT_NEAR(amplitudeAt(out, 300, 7042), 0.4, 0.02);
}

TEST(SoundImport, EveryDepthAndLayoutOfWav) {
    // Ten frames of half scale above silence at the game's rate: 128 + 64 in every layout.
    struct Case {
        const char* what;
        uint16_t tag, bits, subTag;
        std::vector<uint8_t> frame;
    };
    const Case cases[] = {
        {"8-bit", kPcm, 8, 0, {0xC0}},
        {"16-bit", kPcm, 16, 0, {0x00, 0x40}},
        {"24-bit extensible", kExtensible, 24, kPcm, {0x00, 0x00, 0x40}},
        {"32-bit extensible", kExtensible, 32, kPcm, {0x00, 0x00, 0x00, 0x40}},
        {"32-bit float", kFloat, 32, 0, {0x00, 0x00, 0x00, 0x3F}},
        {"float extensible", kExtensible, 32, kFloat, {0x00, 0x00, 0x00, 0x3F}},
        {"64-bit float", kFloat, 64, 0, {0, 0, 0, 0, 0, 0, 0xE0, 0x3F}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> data;
        for (int i = 0; i < 10; ++i)
            data.insert(data.end(), c.frame.begin(), c.frame.end());
        const auto out = imported(riff(fmtBody(c.tag, 1, 7042, c.bits, c.subTag), data), 7042);
        EXPECT_EQ(out, std::vector<uint8_t>(10, 192)) << c.what;
    }
}

TEST(SoundImport, OtherFormatsThroughTheLibrary) {
    if (std::system("sox --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "sox not installed (it writes the files of this test)";
    TempDir dir;
    for (const char* ext : {"flac", "ogg", "aiff"}) {
        const auto path = dir / (std::string("tone.") + ext);
        const std::string cmd = "sox -n -r 22050 -c 2 " + path.string() +
                                " synth 0.5 sine 1000 vol 0.5 > /dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const auto out = imported(readBytes(path), 7042);
        EXPECT_EQ(out.size(), 3521u) << ext;
        EXPECT_NEAR(amplitudeAt(out, 1000, 7042), 0.5, 0.05) << ext;
    }
}

TEST(SoundImport, FileCutShortAsksAndAnEmptyResultIsRefused) {
    const auto fmt = fmtBody(kPcm, 1, 7042, 8);
    SoundSet set;
    set.sounds.push_back(Sound::fromSamples(std::vector<uint8_t>(10022, 100)));
    const SoundSet before = set;

    // A header claiming 3521 bytes with none after it once wiped the sound without a word.
    StrictPrompter p;
    EXPECT_FALSE(importSound(set, 0, riff(fmt, {}, 3521), 7042, p));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text.rfind("The file ends after 0 of 3521 bytes", 0), 0u);
    EXPECT_EQ(set.sounds[0].samples, before.sounds[0].samples);

    // Part of the data there: the question says so; No keeps the sound, Yes takes the part.
    const auto part = riff(fmt, std::vector<uint8_t>(1000, 200), 3521);
    p.expectQuestion(Answer::No);
    EXPECT_FALSE(importSound(set, 0, part, 7042, p));
    ASSERT_EQ(p.questions.size(), 1u);
    EXPECT_EQ(p.questions[0].text.rfind("The file ends after 1000 of 3521 bytes", 0), 0u);
    EXPECT_EQ(set.sounds[0].samples, before.sounds[0].samples);
    p.expectQuestion(Answer::Yes);
    EXPECT_TRUE(importSound(set, 0, part, 7042, p));
    EXPECT_EQ(set.sounds[0].samples, std::vector<uint8_t>(1000, 200));

    // No data at all, or too little to make one sample at the target rate.
    for (const auto& empty : {riff(fmt, {}), riff(fmtBody(kPcm, 1, 44100, 8), {1, 2, 3})}) {
        StrictPrompter q;
        EXPECT_FALSE(importSound(set, 0, empty, 7042, q));
        EXPECT_EQ(q.messages.size(), 1u);
        EXPECT_EQ(set.sounds[0].samples.size(), 1000u);
    }
}

TEST(SoundImport, UnsupportedFilesAreNamed) {
    struct Case {
        std::vector<uint8_t> file;
        const char* text;
    };
    std::vector<uint8_t> midi{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
    const Case cases[] = {
        {riff(fmtBody(0x00FF, 1, 44100, 16), {1, 2, 3, 4}),
         "Sorry, but WAV files of format 0x00FF are not supported."},
        {midi, "Sorry, but MIDI files are not supported."},
    };
    for (const Case& c : cases) {
        StrictPrompter p;
        SoundSet set;
        EXPECT_FALSE(importSound(set, 0, c.file, 7042, p));
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_EQ(p.messages[0].text, c.text);
        EXPECT_EQ(p.messages[0].caption, "File error");
        EXPECT_TRUE(set.sounds.empty());
    }
    // A damaged MP3 is named as one, whether this libsndfile reads MP3 or not.
    std::vector<uint8_t> mp3{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0};
    mp3.resize(300, 0x55);
    StrictPrompter p;
    SoundSet set;
    EXPECT_FALSE(importSound(set, 0, mp3, 7042, p));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("MP3"), std::string::npos) << p.messages[0].text;
}

} // namespace
} // namespace zentrik::test
