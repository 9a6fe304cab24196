// Writing the audio archive: a replaced song where the game reads it (checked by a reader of
// our own here, not the program's), every other chunk byte for byte, the pair replaced
// together, damaged headers refused; song files of type 0 and 1 and WLF.
#include "MusicTestData.h"
#include "TestSupport.h"

#include "io/ByteReader.h"
#include "music/AudioArchiveWriter.h"
#include "music/MusicDocument.h"
#include "music/SongFile.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

// The game's view of the archive: AUDIOHED is int32 offsets, chunk i runs to offset i + 1.
std::vector<std::vector<uint8_t>> gameChunks(const std::vector<uint8_t>& head,
                                             const std::vector<uint8_t>& data) {
    std::vector<std::vector<uint8_t>> chunks;
    for (size_t i = 0; i + 8 <= head.size(); i += 4) {
        const int32_t a =
            int32_t(head[i] | head[i + 1] << 8 | head[i + 2] << 16 | head[i + 3] << 24);
        const int32_t b =
            int32_t(head[i + 4] | head[i + 5] << 8 | head[i + 6] << 16 | head[i + 7] << 24);
        EXPECT_TRUE(a >= 0 && b >= a && size_t(b) <= data.size()) << "chunk " << i / 4;
        chunks.emplace_back(data.begin() + a, data.begin() + b);
    }
    return chunks;
}

constexpr int kWarmarchChunk = 263; // song 2 of the shareware archive
constexpr size_t kNameBlockBytes = 88;

TEST(AudioArchiveWriter, ImportedSongIsWhereTheGameReadsItAndNothingElseMoves) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const auto audiot = dir.copyGameFile("wl1/AUDIOT.WL1");
    const auto audiohed = dir.copyGameFile("wl1/AUDIOHED.WL1");
    const auto before = gameChunks(readBytes(audiohed), readBytes(audiot));
    StrictPrompter p;
    MusicDocument doc;
    ASSERT_TRUE(doc.LoadMusic(audiot, p));
    int slot = -1;
    for (int s = 0; s < doc.songCount(); ++s)
        if (doc.musicSet().songs[size_t(s)].chunk == kWarmarchChunk)
            slot = s;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(doc.songNameOf(slot), "WARMARCH");

    // A type-0 file (no length field): one note, long enough to pass the loader's song test.
    std::vector<Ev> tune{{0, 0, 0}, {0xA1, 0x57, 0}, {0xB1, 0x31, 350}, {0xB1, 0x11, 350}};
    for (int i = 0; i < 30; ++i)
        tune.push_back({0x20 + i % 6, i, 0}); // operator settings after the note
    const auto events = imfBytes(tune, false);
    ASSERT_TRUE(doc.importSong(slot, events, "tune.imf", p));
    EXPECT_EQ(doc.model().songLength, 700u);
    ASSERT_TRUE(doc.saveMusic(p));

    const auto after = gameChunks(readBytes(audiohed), readBytes(audiot));
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        if (int(i) == kWarmarchChunk)
            continue;
        EXPECT_EQ(after[i], before[i]) << "chunk " << i;
    }
    const auto& song = after[size_t(kWarmarchChunk)];
    ASSERT_EQ(song.size(), 2 + events.size() + kNameBlockBytes);
    EXPECT_EQ(loadLe16(song.data()), events.size());
    EXPECT_TRUE(std::equal(events.begin(), events.end(), song.begin() + 2));
    const auto& old = before[size_t(kWarmarchChunk)];
    EXPECT_TRUE(std::equal(old.end() - kNameBlockBytes, old.end(), song.end() - kNameBlockBytes));
    EXPECT_EQ(readBytes(dir / "AUDIOT.WL1.bak"), readGameFile("wl1/AUDIOT.WL1"));
    EXPECT_EQ(readBytes(dir / "AUDIOHED.WL1.bak"), readGameFile("wl1/AUDIOHED.WL1"));

    // Reopened, the song is there with its name and plays as imported.
    MusicDocument again;
    ASSERT_TRUE(again.LoadMusic(audiot, p));
    again.selectSong(slot);
    EXPECT_EQ(again.songNameOf(slot), "WARMARCH");
    EXPECT_EQ(again.model().songLength, 700u);
    EXPECT_EQ(again.model().notesOf(1).size(), 1u);
}

TEST(AudioArchiveWriter, UnchangedSongsRewriteTheSameFiles) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto head = readGameFile("wl1/AUDIOHED.WL1");
    const auto data = readGameFile("wl1/AUDIOT.WL1");
    auto same = rebuildAudioArchive(head, data, {});
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(same->audiohed, head);
    EXPECT_EQ(same->audiot, data);
}

TEST(AudioArchiveWriter, DamagedHeadersAndMissingChunksAreRefusedAndNothingIsWritten) {
    const std::vector<uint8_t> data(30, 7);
    struct Case {
        std::vector<uint8_t> head;
        int chunk;
    };
    const Case cases[] = {
        {audioHead({10, 10, 40}), 0},   // the last chunk runs past the file
        {{10, 0, 0, 0, 5, 0, 0, 0}, 0}, // offsets going backwards
        {audioHead({10, 20}), 2},       // no chunk 2
        {{1, 2, 3}, 0},                 // no whole entry
    };
    const std::vector<uint8_t> song{1, 2, 3};
    for (const Case& c : cases) {
        auto r = rebuildAudioArchive(c.head, data, {{c.chunk, song}});
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().caption, "Save music");
    }
    TempDir dir;
    writeBytes(dir / "AUDIOT.XYZ", data);
    writeBytes(dir / "AUDIOHED.XYZ", cases[0].head);
    MusicSet set;
    set.musicLoaded = true;
    set.audiotPath = dir / "AUDIOT.XYZ";
    set.songs.push_back(songOf({1, 2, 3}, 1));
    StrictPrompter p;
    EXPECT_FALSE(saveMusicSet(set, p));
    EXPECT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(readBytes(dir / "AUDIOT.XYZ"), data);
    EXPECT_FALSE(std::filesystem::exists(dir / "AUDIOT.XYZ.tmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "AUDIOHED.XYZ.tmp"));
}

TEST(SongFile, TypesNameBlocksAndRefusals) {
    const auto events = imfBytes({{0xA1, 0x57, 10}, {0xB1, 0x31, 20}}, false);
    std::vector<uint8_t> block{1, 0, 'T', 'U', 'N', 'E', 0, 'I', 'M', 'F', 0};
    const auto slot = [&] {
        auto c = imfBytes({{0, 0, 5}});
        c.insert(c.end(), block.begin(), block.end());
        return c;
    }();
    auto type1 = imfBytes({{0xA1, 0x57, 10}, {0xB1, 0x31, 20}});
    auto named = type1;
    const std::vector<uint8_t> fileBlock{0, 0, 'M', 'I', 'N', 'E', 0};
    named.insert(named.end(), fileBlock.begin(), fileBlock.end());
    auto withBlock = [&](std::vector<uint8_t> b) {
        auto c = type1;
        c.insert(c.end(), b.begin(), b.end());
        return c;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        std::vector<uint8_t> slot;
        std::vector<uint8_t> want;
    };
    const std::vector<Case> cases = {
        {"type 0 keeps the slot's block", events, slot, withBlock(block)},
        {"type 1 keeps the slot's block", named, slot, withBlock(block)},
        {"a slot without one takes the file's", named, imfBytes({{0, 0, 5}}), named},
        {"neither has one", type1, imfBytes({{0, 0, 5}}), type1},
    };
    for (const Case& c : cases) {
        auto chunk = songChunkFromFile(c.file, c.slot);
        ASSERT_TRUE(chunk.ok()) << c.what;
        EXPECT_EQ(*chunk, c.want) << c.what;
    }
    EXPECT_EQ(songName(withBlock(block)), "TUNE");
    EXPECT_FALSE(songChunkFromFile(std::vector<uint8_t>{1, 2}, slot).ok());
    std::vector<uint8_t> huge(0x10000, 0); // type 0: all events
    auto tooLong = songChunkFromFile(huge, slot);
    ASSERT_FALSE(tooLong.ok());
    EXPECT_EQ(tooLong.error().caption, "Import song");

    StrictPrompter p;
    noteTickRate("a.WLF", p);
    noteTickRate("b.imf", p);
    EXPECT_TRUE(p.messages.empty());
    noteTickRate("c.raw", p);
    EXPECT_EQ(p.messages.size(), 1u);
}

} // namespace
} // namespace zentrik::test
