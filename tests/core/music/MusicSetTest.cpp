#include "MusicTestData.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

// A chunk of n bytes that passes the test: u16 length field, then events without delays.
std::vector<uint8_t> goodChunk(size_t n) {
    std::vector<uint8_t> b(n, 0);
    b[0] = uint8_t(n - 2);
    for (size_t i = 2; i + 3 < n; i += 4)
        b[i] = 0x20;
    return b;
}

// 30 u32 values after a length field; the first `bad` of them are 0.
std::vector<uint8_t> chunkWithBad(int bad) {
    auto b = goodChunk(2 + 30 * 4);
    for (int i = 0; i < bad; ++i)
        std::fill_n(b.begin() + 2 + i * 4, 4, 0);
    return b;
}

} // namespace

TEST(SongTest, FourteenBadValuesInTheFirst29PassAndFifteenFail) {
    auto pass = chunkWithBad(14);
    EXPECT_TRUE(isSongChunk(pass, 0, int64_t(pass.size())));
    auto fail = chunkWithBad(15);
    EXPECT_FALSE(isSongChunk(fail, 0, int64_t(fail.size())));
    // Only the 30th value bad on top of 14: still 30 values read.
    auto last = chunkWithBad(14);
    std::fill_n(last.begin() + 2 + 29 * 4, 4, 0);
    EXPECT_TRUE(isSongChunk(last, 0, int64_t(last.size())));
    // Values above 0xFFFF (an event with a delay) count as bad too.
    auto delays = chunkWithBad(0);
    for (int i = 0; i < 15; ++i)
        delays[2 + i * 4 + 3] = 1;
    EXPECT_FALSE(isSongChunk(delays, 0, int64_t(delays.size())));
}

TEST(SongTest, ZeroLengthFieldRereadsFromTheChunkStart) {
    // Events without a field, every one register + value, no delay: values below 0x10000.
    std::vector<uint8_t> b(124, 0);
    for (size_t i = 0; i < b.size(); i += 4)
        b[i] = 0x40, b[i + 1] = 0x01;
    b[0] = 0, b[1] = 0; // first event 00 00 0000 doubles as a zero length field
    EXPECT_TRUE(isSongChunk(b, 0, 124));
    // Read with the field skipped the values would straddle events and be above 0xFFFF.
    b[0] = 0x20;
    EXPECT_FALSE(isSongChunk(b, 0, 124));
}

TEST(SongTest, ValuesMayRunIntoTheNextChunkButNotPastTheFile) {
    auto b = goodChunk(2 + 30 * 4);
    // The chunk is only 62 bytes long; the rest of the values come from what follows.
    EXPECT_TRUE(isSongChunk(b, 0, 62));
    b.resize(100);
    EXPECT_FALSE(isSongChunk(b, 0, 62));
    EXPECT_FALSE(isSongChunk(b, 500, 62));
}

TEST(ReadMusicSet, FindsOnlyTheSongChunksWithTheirNumbersAndBytes) {
    std::vector<uint8_t> effect(80, 0); // all zero: every value bad
    auto song = goodChunk(90);
    std::vector<uint8_t> file = effect;
    file.insert(file.end(), song.begin(), song.end());
    file.insert(file.end(), effect.begin(), effect.end());
    auto set = readMusicSet(audioHead({80, 90, 80}), file);
    ASSERT_TRUE(set.ok());
    ASSERT_EQ(set->songCount(), 1);
    EXPECT_EQ(set->songs[0].chunk, 1);
    EXPECT_EQ(set->songs[0].length, 90u);
    EXPECT_EQ(set->songs[0].buffer.size(), 93u);
    EXPECT_TRUE(std::equal(song.begin(), song.end(), set->songs[0].buffer.begin()));
}

TEST(ReadMusicSet, DamagedHeadersFindNoSongAndReadNothingOutside) {
    auto song = goodChunk(90);
    struct Case {
        const char* name;
        std::vector<uint8_t> head;
    } cases[] = {
        {"empty header", {}},
        {"one offset", {0, 0, 0, 0}},
        {"chunk past the file", audioHead({500})},
        {"offsets going back", {90, 0, 0, 0, 0, 0, 0, 0}},
        {"negative offset", {0xFF, 0xFF, 0xFF, 0xFF, 90, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        auto set = readMusicSet(c.head, song);
        ASSERT_FALSE(set.ok()) << c.name;
        EXPECT_EQ(set.error().text, "Unable to find first song!");
        EXPECT_EQ(set.error().caption, "CZentrikDlg::LoadMusic()");
    }
}

// The shareware archive has 27 song slots from chunk 261, but 16 of them are 88-byte stubs that
// only name a song of the full game; the test finds the 11 real songs.
TEST(LoadMusic, ShareWareArchiveHasElevenRealSongsAmongItsSlots) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const auto audiot = dir.copyGameFile("wl1/AUDIOT.WL1");
    dir.copyGameFile("wl1/AUDIOHED.WL1");
    StrictPrompter prompter;
    MusicSet set;
    ASSERT_TRUE(LoadMusic(set, audiot, prompter));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(set.musicLoaded);
    EXPECT_EQ(readAudioOffsets(readBytes(dir / "AUDIOHED.WL1")).size() - 1, 288u);
    const int chunks[] = {261, 263, 264, 268, 270, 272, 273, 275, 277, 284, 285};
    ASSERT_EQ(set.songCount(), 11);
    const auto head = readAudioOffsets(readBytes(dir / "AUDIOHED.WL1"));
    const auto file = readBytes(audiot);
    for (int s = 0; s < 11; ++s) {
        const Song& song = set.songs[size_t(s)];
        EXPECT_EQ(song.chunk, chunks[s]);
        EXPECT_EQ(song.length, uint32_t(head[size_t(song.chunk) + 1] - head[size_t(song.chunk)]));
        EXPECT_TRUE(std::equal(song.bytes().begin(), song.bytes().end(),
                               file.begin() + head[size_t(song.chunk)]));
        EXPECT_EQ(song.buffer.size(), song.length + 3u);
    }
}
