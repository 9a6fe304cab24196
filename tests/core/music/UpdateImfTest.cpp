#include "io/ByteReader.h"
#include "music/ImfWriter.h"
#include "music/MusicDocument.h"
#include "MusicTestData.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

SongModel reread(const BuiltImf& built) {
    return buildSongModel(built.bytes, built.span);
}

uint32_t sumOfDelays(std::span<const uint8_t> imf) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 4 <= imf.size(); i += 4)
        sum += loadLe16(&imf[i + 2]);
    return sum;
}

} // namespace

TEST(BuildImf, WritesOnlyChangedFrequencyAndKeyValues) {
    SongModel m;
    m.general = {{0x01, 0x20, 0}};
    m.registersOf(1) = {{0x21, 0x01, 0}};
    m.notesOf(1) = {{0x157, 4, 0, 100, false}, {0x157, 4, 100, 50, false}};
    m.songLength = 200;
    const auto built = buildImf(m);
    EXPECT_EQ(built.bytes, imfBytes({
                               {0x01, 0x20, 0},
                               {0x21, 0x01, 0},
                               {0xA1, 0x57, 0},
                               {0xB1, 0x31, 100},
                               {0xB1, 0x11, 0},  // end of note 1
                               {0xB1, 0x31, 50}, // A1 unchanged: not written again
                               {0xB1, 0x11, 50}, // the closing rest up to the song length
                           }));
    EXPECT_EQ(built.span.offset, 2u);
}

TEST(BuildImf, LateFirstEventsAndTiedNotesReadBackAsBuilt) {
    SongModel m;
    m.notesOf(2) = {{0x100, 3, 70000, 10, false}};
    m.notesOf(5) = {{0x157, 4, 0, 10, true}, {0x180, 4, 10, 10, true}, {0x180, 4, 20, 10, false}};
    m.songLength = 70010;
    const auto again = reread(buildImf(m));
    EXPECT_EQ(again.notes, m.notes);
    EXPECT_EQ(again.songLength, 70010u);
}

TEST(BuildImf, NotesWithoutDurationKeepTheirMeaning) {
    // Keyed on and off at one tick, then a later note; a split at the start tick (same F-number
    // written again while held); and a last note still held at the end.
    const auto chunk = imfBytes({
        {0xA6, 0x00, 0},
        {0xB6, 0x35, 0},
        {0xB6, 0x15, 100}, // on and off at tick 0
        {0xB6, 0x35, 0},
        {0xA6, 0x00, 50}, // split at its start tick
        {0xB6, 0x15, 10},
        {0xB6, 0x3D, 40}, // off; a last held note
    });
    const Song s = songOf(chunk);
    const SongModel m = buildSongModel(s.buffer, imfSpanOf(s.bytes()));
    ASSERT_EQ(m.notesOf(6).size(), 4u);
    EXPECT_EQ(m.notesOf(6)[0], (NoteEvent{0x100, 5, 0, 0, false}));
    EXPECT_EQ(m.notesOf(6)[1], (NoteEvent{0x100, 5, 100, 0, true}));
    EXPECT_EQ(m.notesOf(6)[3], (NoteEvent{0x100, 7, 160, 0, false}));
    EXPECT_EQ(reread(buildImf(m)).notes, m.notes);
}

TEST(BuildImf, OverlappingNotesNeverGoBackInTime) {
    SongModel m;
    m.notesOf(1) = {{0x157, 4, 0, 100, false}, {0x180, 4, 50, 10, false}};
    m.songLength = 100;
    const auto built = buildImf(m);
    EXPECT_LE(sumOfDelays(std::span(built.bytes).subspan(2)), 100u);
}

TEST(BuildImf, LargeSongsHaveNoLengthField) {
    SongModel m;
    for (uint32_t i = 0; i < 0x4000; ++i)
        m.general.push_back({0x08, uint8_t(i), i});
    m.songLength = 0x4000;
    const auto built = buildImf(m);
    EXPECT_EQ(built.span.offset, 0u);
    EXPECT_EQ(built.bytes.size(), 0x10000u);
    EXPECT_EQ(reread(built).general, m.general);
    m.general.resize(0x3FFF);
    m.songLength = 0x3FFF; // 0xFFFC bytes: still with the field
    EXPECT_EQ(buildImf(m).span.offset, 2u);
}

TEST(UpdateImf, EveryShareWareSongRebuildsToTheSameModel) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const auto audiot = dir.copyGameFile("wl1/AUDIOT.WL1");
    dir.copyGameFile("wl1/AUDIOHED.WL1");
    StrictPrompter prompter;
    MusicDocument doc;
    ASSERT_TRUE(doc.LoadMusic(audiot, prompter));
    ASSERT_EQ(doc.songCount(), 11);
    for (int s = 0; s < doc.songCount(); ++s) {
        doc.selectSong(s);
        EXPECT_EQ(doc.model().songLength, sumOfDelays(doc.imfData())) << s;
        const SongModel before = doc.model();
        size_t noteCount = 0;
        for (const auto& n : before.notes)
            noteCount += n.size();
        EXPECT_GT(noteCount, 0u) << s;
        const auto oldBlock = nameBlockOf(doc.songBytes());
        const std::vector<uint8_t> block(oldBlock.begin(), oldBlock.end());
        const std::string name = doc.songNameOf(s);
        EXPECT_FALSE(name.empty()) << s;
        ASSERT_TRUE(doc.UpdateIMF(prompter, dir.path())) << s;
        const SongModel& after = doc.model();
        EXPECT_EQ(after.songLength, before.songLength) << s;
        for (int c = 1; c <= 8; ++c) {
            EXPECT_EQ(after.notesOf(c), before.notesOf(c)) << "song " << s << " channel " << c;
            EXPECT_EQ(after.channelRegisters[size_t(c - 1)], before.channelRegisters[size_t(c - 1)])
                << "song " << s << " channel " << c;
        }
        // The rebuild may add one leading filler write; the rest is the same list.
        auto general = after.general;
        if (general.size() == before.general.size() + 1 && general[0] == RegisterEvent{})
            general.erase(general.begin());
        EXPECT_EQ(general, before.general) << s;
        const auto file = readBytes(dir / "test.imf");
        EXPECT_TRUE(
            std::equal(file.begin(), file.end(), doc.songBytes().begin(), doc.songBytes().end()));
        // The name block after the music stays (it was once dropped: 7114 -> 6878 bytes).
        ASSERT_EQ(loadLe16(file.data()) + 2 + block.size(), file.size());
        EXPECT_TRUE(std::equal(block.begin(), block.end(), file.end() - ptrdiff_t(block.size())));
        EXPECT_EQ(doc.songNameOf(s), name);
        EXPECT_EQ(doc.musicSet().songs[size_t(s)].bytes().size(), file.size());
    }
}
