#include "music/SongModel.h"
#include "MusicTestData.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

SongModel modelOf(const std::vector<uint8_t>& chunk, std::vector<std::string>* notes = nullptr) {
    const Song s = songOf(chunk);
    DebugSink sink;
    if (notes)
        sink = [notes](const std::string& n) { notes->push_back(n); };
    return buildSongModel(s.buffer, imfSpanOf(s.bytes()), sink);
}

} // namespace

TEST(ImfSpan, LengthFieldRules) {
    const std::vector<uint8_t> noField{0, 0, 0x20, 1, 5, 0, 0xB1, 0x20};
    EXPECT_EQ(imfSpanOf(noField).offset, 0u);
    EXPECT_EQ(imfSpanOf(noField).length, 8u);
    const std::vector<uint8_t> pastChunk{0x40, 0, 0x20, 1, 5, 0};
    EXPECT_EQ(imfSpanOf(pastChunk).offset, 2u);
    EXPECT_EQ(imfSpanOf(pastChunk).length, 4u);
    const std::vector<uint8_t> shortField{4, 0, 0x20, 1, 5, 0, 0xFF, 0xFF};
    EXPECT_EQ(imfSpanOf(shortField).length, 4u);
    EXPECT_EQ(imfSpanOf(std::vector<uint8_t>{}).length, 0u);
    EXPECT_EQ(imfSpanOf(std::vector<uint8_t>{7}).length, 1u);
}

TEST(SongModel, ZeroLengthFieldReadsEventsFromTheFirstByteAndOneTooLongIsCut) {
    // 00 00 0A 00: a write of register 0 with a 10-tick delay, then one more event.
    auto m = modelOf(imfBytes({{0x00, 0x00, 10}, {0x01, 0x20, 5}}, false));
    ASSERT_EQ(m.general.size(), 2u);
    EXPECT_EQ(m.general[1], (RegisterEvent{0x01, 0x20, 10}));
    EXPECT_EQ(m.songLength, 15u);
    auto chunk = imfBytes({{0x01, 0x20, 5}, {0x08, 0x40, 7}});
    chunk[0] = 0xF0; // past the chunk
    EXPECT_EQ(modelOf(chunk).songLength, 12u);
}

TEST(SongModel, OddTailsAreLastEventsWithoutDelay) {
    auto two = imfBytes({{0x01, 0x20, 5}});
    two.insert(two.end(), {0x08, 0x40});
    two[0] = 6;
    auto m = modelOf(two);
    ASSERT_EQ(m.general.size(), 2u);
    EXPECT_EQ(m.general[1], (RegisterEvent{0x08, 0x40, 5}));
    EXPECT_EQ(m.songLength, 5u);
    // A three-byte tail: the padding's zero is no delay either.
    two.push_back(0x09);
    two[0] = 7;
    m = modelOf(two);
    EXPECT_EQ(m.general.size(), 2u);
    EXPECT_EQ(m.songLength, 5u);
}

TEST(SongModel, RegistersGoToTheirLists) {
    auto m = modelOf(imfBytes({
        {0x20, 0x01, 0}, // slot 0 -> cell 0 -> channel 0: dropped
        {0x23, 0x02, 0}, // slot 3 -> cell 3 -> channel 0: dropped
        {0x21, 0x03, 1}, // cell 1 -> channel 1
        {0x48, 0x04, 1}, // slot 8 -> cell 6 -> channel 3
        {0xF5, 0x05, 1}, // slot 21 -> cell 17 -> channel 8
        {0xC0, 0x06, 0}, // channel 0 feedback: dropped
        {0xC3, 0x07, 0}, // channel 3
        {0xA0, 0x08, 0}, // channel 0 frequency: dropped
        {0xB0, 0x31, 0}, // channel 0 key: dropped
        {0xBD, 0x20, 0}, // rhythm: general
        {0xA9, 0x01, 0}, // no channel: general
        {0xC9, 0x01, 0}, // no channel: general
        {0x08, 0x40, 2},
    }));
    EXPECT_EQ(m.registersOf(1), (std::vector<RegisterEvent>{{0x21, 0x03, 0}}));
    EXPECT_EQ(m.registersOf(3), (std::vector<RegisterEvent>{{0x48, 0x04, 1}, {0xC3, 0x07, 3}}));
    EXPECT_EQ(m.registersOf(8), (std::vector<RegisterEvent>{{0xF5, 0x05, 2}}));
    EXPECT_EQ(m.general, (std::vector<RegisterEvent>{
                             {0xBD, 0x20, 3}, {0xA9, 0x01, 3}, {0xC9, 0x01, 3}, {0x08, 0x40, 3}}));
    for (const auto& notes : m.notes)
        EXPECT_TRUE(notes.empty());
    EXPECT_EQ(m.songLength, 5u);
}

TEST(SongModel, UnknownSlotsAreNotedAndDropped) {
    std::vector<std::string> notes;
    auto m = modelOf(imfBytes({{0x01, 0, 300}, {0x26, 0x11, 0}, {0x3F, 0x11, 0}}), &notes);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], "illegal cell -1 at time 300, offs 00000006\n");
    EXPECT_EQ(notes[1], "illegal cell -1 at time 300, offs 0000000A\n");
    for (int c = 1; c <= 8; ++c)
        EXPECT_TRUE(m.registersOf(c).empty());
}

TEST(SongModel, KeyWritesMakeNotes) {
    struct Case {
        const char* what;
        std::vector<uint8_t> imf;
        int channel;
        std::vector<NoteEvent> notes;
    } cases[] = {
        {"key on, key off, off again",
         imfBytes({{0xA1, 0x57, 0}, {0xB1, 0x31, 100}, {0xB1, 0x11, 50}, {0xB1, 0x11, 0}}),
         1,
         {{0x157, 4, 0, 100, false}}},
        {"a frequency change while held splits the note",
         imfBytes({{0xA2, 0x57, 0}, {0xB2, 0x31, 100}, {0xA2, 0x80, 40}, {0xB2, 0x11, 0}}),
         2,
         {{0x157, 4, 0, 100, true}, {0x180, 4, 100, 40, false}}},
        {"rekeying at the start tick changes that note",
         imfBytes({{0xA3, 0x57, 0},
                   {0xB3, 0x31, 0},
                   {0xB3, 0x2A, 60},
                   {0xB3, 0x2A, 30},
                   {0xB3, 0x0A, 0}}),
         3,
         {{0x257, 2, 0, 60, true}, {0x257, 2, 60, 30, false}}},
        {"held at the end: no duration", imfBytes({{0xB4, 0x20, 70}}), 4, {{0, 0, 0, 0, false}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modelOf(c.imf).notesOf(c.channel), c.notes) << c.what;
}
