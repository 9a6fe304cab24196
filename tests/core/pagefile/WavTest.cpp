// WAV files and the sound edits: the exported image's exact bytes, import of every supported
// layout with its messages, the 64K cut, clamping, and an independent reader.
#include "TestSupport.h"

#include "io/ByteWriter.h"
#include "pagefile/SoundEdit.h"
#include "pagefile/SoundFile.h"
#include "pagefile/Wav.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zentrik::test {
namespace {

struct WavSpec {
    uint16_t format = 1, channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 8;
    uint32_t fmtSize = 16;
    bool listChunk = false;
};

std::vector<uint8_t> wavFile(const WavSpec& s, const std::vector<uint8_t>& data) {
    ByteWriter w;
    w.text("RIFF");
    w.u32(0);
    w.text("WAVEfmt ");
    w.u32(s.fmtSize);
    w.u16(s.format);
    w.u16(s.channels);
    w.u32(s.rate);
    w.u32(s.rate * s.channels * s.bits / 8);
    w.u16(uint16_t(s.channels * s.bits / 8));
    w.u16(s.bits);
    w.fill(s.fmtSize - 16, 0xAA);
    if (s.listChunk) {
        w.text("LIST");
        w.u32(3); // odd: one pad byte follows
        w.text("abc");
        w.u8(0);
    }
    w.text("data");
    w.u32(uint32_t(data.size()));
    w.bytes(data);
    return w.take();
}

std::vector<uint8_t> convert(const std::vector<uint8_t>& file, int rate, StrictPrompter& p) {
    auto sound = decodeSoundFile(file);
    EXPECT_TRUE(sound.ok()) << (sound.ok() ? "" : sound.error().text);
    if (!sound)
        return {};
    auto out = convertSound(*sound, rate, p);
    return out ? *out : std::vector<uint8_t>{};
}

TEST(Wav, ImageHasTheExactHeader) {
    // 8-bit mono PCM at 7042 (0x1B82) Hz, one byte a second per hertz.
    const std::vector<uint8_t> want{'R',  'I',  'F', 'F', 39,   0,    0, 0, 'W', 'A', 'V', 'E',
                                    'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                    0x82, 0x1B, 0,   0,   0x82, 0x1B, 0, 0, 1,   0,   8,   0,
                                    'd',  'a',  't', 'a', 3,    0,    0, 0, 1,   2,   3};
    EXPECT_EQ(wavImage(std::vector<uint8_t>{1, 2, 3}, 7042), want);
}

TEST(Wav, RatesChannelsDepthsAndChunks) {
    StrictPrompter p;
    // 22050 samples at 22050 Hz become 7042 at 7042 Hz
    EXPECT_EQ(convert(wavFile({}, std::vector<uint8_t>(22050, 128)), 7042, p).size(), 7042u);
    // 16-bit stereo: both channels are mixed ((0x4000 + 0x4000) / 2 >> 8 = 64 above silence;
    // the left channel alone once lost the right one)
    ByteWriter stereo;
    for (int i = 0; i < 100; ++i) {
        stereo.u16(0x7000);
        stereo.u16(0x1000);
    }
    WavSpec s16;
    s16.channels = 2;
    s16.bits = 16;
    s16.rate = 7042;
    const auto out = convert(wavFile(s16, stereo.bytes()), 7042, p);
    ASSERT_EQ(out.size(), 100u);
    EXPECT_EQ(out[50], 192);
    // extra fmt bytes and an odd-sized chunk before the data are skipped
    WavSpec odd;
    odd.fmtSize = 18;
    odd.listChunk = true;
    odd.rate = 7042;
    EXPECT_EQ(convert(wavFile(odd, {10, 10, 10, 10}), 7042, p)[1], 10);
}

TEST(Wav, RefusedFilesAndRates) {
    auto text = [](const std::vector<uint8_t>& f) {
        auto r = readWav(f);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.error().caption, "File error");
        return r.error().text;
    };
    EXPECT_EQ(text({'R', 'I', 'F', 'X'}), "Not a PCM wave file!");
    WavSpec adpcm;
    adpcm.format = 2;
    EXPECT_EQ(text(wavFile(adpcm, {1})), "Sorry, but compressed waves are not supported.");
    auto noData = wavFile({}, {});
    noData.resize(36);
    EXPECT_EQ(text(noData), "Data chunk not found!");
    WavSpec zeroRate;
    zeroRate.rate = 0;
    EXPECT_EQ(text(wavFile(zeroRate, {1})), "Not a PCM wave file!");

    // The limits 4000 and 44100 are tried on the sounds page; text is no rate either.
    StrictPrompter p;
    EXPECT_FALSE(checkSampleRate("fast", p));
    EXPECT_EQ(p.messages.at(0).text, "Only sample rates between 4000 and 44100 allowed!");
}

TEST(SoundEdit, ExportRefusesAnAbsentSoundAndReportsAFailedWrite) {
    TempDir dir;
    StrictPrompter p;
    Sound absent;
    absent.length = 5000;
    absent.absent = true;
    EXPECT_FALSE(exportSound(absent, dir / "a.wav", 7042, p));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.wav"));
    EXPECT_FALSE(exportSound(Sound::fromSamples({1, 2}), dir / "no" / "b.wav", 7042, p));
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[1].caption, "Cannot Write");
    ASSERT_TRUE(exportSound(Sound::fromSamples({1, 2}), dir / "c.wav", 7042, p));
    EXPECT_EQ(readBytes(dir / "c.wav"), wavImage(std::vector<uint8_t>{1, 2}, 7042));
}

} // namespace
} // namespace zentrik::test
