#include "music/NoteEditor.h"
#include "music/MusicDocument.h"
#include "music/OperatorCells.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

// A note whose drawn height is that of F-number 345, block 4.
NoteEvent note(uint32_t start, uint32_t duration) {
    return {345, 4, start, duration, false};
}

int yOf(const NoteEditor& e) {
    return e.yOfNote(note(0, 1));
}

// x of a tick for the editor's default zoom (20 ticks per pixel).
int xAt(uint32_t t) {
    return int(t / 20) + 9;
}

} // namespace

TEST(NoteEditor, HitTestAndGrabParts) {
    NoteEditor e;
    std::vector<NoteEvent> notes{note(0, 600), note(1000, 2), note(2000, 600)};
    const int y = yOf(e);
    EXPECT_EQ(e.hitTest(notes, 5000, xAt(100), y), 0u);
    EXPECT_EQ(e.hitTest(notes, 5000, xAt(100), y + 2), 0u);
    EXPECT_FALSE(e.hitTest(notes, 5000, xAt(100), y + 3));
    EXPECT_FALSE(e.hitTest(notes, 5000, xAt(800), y)) << "between notes";
    EXPECT_FALSE(e.hitTest(notes, 2100, xAt(2200), y)) << "beyond the song";
    EXPECT_EQ(NoteEditor::grabPartAt(notes[0], 100), NoteEditor::Grab::Move);
    EXPECT_EQ(NoteEditor::grabPartAt(notes[0], 300), NoteEditor::Grab::Pitch);
    EXPECT_EQ(NoteEditor::grabPartAt(notes[0], 500), NoteEditor::Grab::Length);
    EXPECT_EQ(NoteEditor::grabPartAt(notes[1], 1000), NoteEditor::Grab::PitchAndLength);
    EXPECT_EQ(e.hoverCursor(notes, 5000, xAt(2500), y), NoteEditor::Cursor::WestEast);
    EXPECT_EQ(e.hoverCursor(notes, 5000, xAt(2300), y), NoteEditor::Cursor::NorthSouth);
    EXPECT_EQ(e.hoverCursor(notes, 5000, xAt(2300), y - 30), NoteEditor::Cursor::Arrow);
}

TEST(NoteEditor, LengthNeverBelowOneAndStartNeverBelowZero) {
    NoteEditor e;
    e.snap = false;
    std::vector<NoteEvent> notes{note(300, 600)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(850), yOf(e)).grabbed); // last third: length
    e.drag(notes, xAt(850) - 100, yOf(e));
    EXPECT_EQ(notes[0].duration, 1u);
    e.release(notes);
    notes = {note(300, 600)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(320), yOf(e)).grabbed); // first third: move
    e.drag(notes, xAt(320) - 5, yOf(e));
    EXPECT_EQ(notes[0].start, 200u);
    e.drag(notes, xAt(320) - 60, yOf(e));
    EXPECT_EQ(notes[0].start, 0u);
    EXPECT_EQ(notes[0].duration, 600u);
}

TEST(NoteEditor, SnappedMovesRoundToTheIntervalAndKeepTimeOrder) {
    NoteEditor e; // snap on, 350 ticks
    std::vector<NoteEvent> notes{note(0, 300), note(1000, 300)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(20), yOf(e)).grabbed);
    e.drag(notes, xAt(20) + 8, yOf(e)); // exact 160: rounds to 0
    EXPECT_EQ(notes[0].start, 0u);
    e.drag(notes, xAt(20) + 9, yOf(e)); // exact 180: past the half, 350
    EXPECT_EQ(notes[0].start, 350u);
    e.drag(notes, xAt(20) + 63, yOf(e)); // exact 1260: 1400, after the other note
    EXPECT_EQ(notes[0].start, 1000u);
    EXPECT_EQ(notes[1].start, 1400u);
    EXPECT_EQ(e.grabbed(), 1u);
}

TEST(NoteEditor, PitchDragTakesTheNearestSemitone) {
    NoteEditor e;
    std::vector<NoteEvent> notes{note(0, 900)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(450), yOf(e)).grabbed); // middle third: pitch
    const int target = e.yOfPitch(NoteEditor::pitchOf(580, 6));
    e.drag(notes, xAt(450), target);
    EXPECT_EQ(notes[0].fnum, 580);
    EXPECT_EQ(notes[0].block, 6);
    EXPECT_EQ(notes[0].start, 0u);
}

TEST(NoteEditor, ReleaseCutsOrRemovesOverlappedNeighbours) {
    NoteEditor e;
    e.snap = false;
    // The grabbed note (second) grows to end at 2500: it swallows the third note and cuts the
    // fourth's start; the first note reaching past its start is cut to end there.
    std::vector<NoteEvent> notes{note(0, 700), note(500, 600), note(1200, 300), note(2000, 1000)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(1050), yOf(e)).grabbed);
    ASSERT_EQ(e.grabPart(), NoteEditor::Grab::Length);
    e.drag(notes, xAt(1050) + 70, yOf(e));
    e.release(notes);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], note(0, 500));
    EXPECT_EQ(notes[1], note(500, 2000));
    EXPECT_EQ(notes[2], note(2500, 500));
    EXPECT_FALSE(e.grabbed());

    // Moved onto the start of its predecessor: the predecessor goes.
    notes = {note(0, 400), note(1000, 300)};
    ASSERT_TRUE(e.press(notes, 5000, xAt(1040), yOf(e)).grabbed);
    e.drag(notes, xAt(1040) - 50, yOf(e));
    e.release(notes);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], note(0, 300));
}

TEST(NoteEditor, PlayCursorFollowsOnceSeen) {
    NoteEditor e;
    e.followCursor(100000, 200000); // never seen: no scroll
    EXPECT_EQ(e.hScroll, 0);
    e.followCursor(2000, 200000);
    EXPECT_TRUE(e.following());
    e.followCursor(20 * 500, 200000);
    EXPECT_EQ(e.hScroll, 500 + 9 - 53);
    // At the notes' x: the margin is in both.
    EXPECT_EQ(e.cursorX(20 * 500), 53);
    EXPECT_EQ(e.cursorX(20 * 500), e.xOfTime(20 * 500));
}

TEST(OperatorCells, InitialSettingsOfAnOperator) {
    // Channel 4: cells 7 and 10, slots 9 and 12.
    EXPECT_EQ(cellsOfChannel(4), (std::array<int, 2>{7, 10}));
    EXPECT_EQ(slotOfCell(10), 12);
    EXPECT_EQ(slotOfCell(17), 21);
    const std::vector<uint8_t> imf{
        0x2C, 0x00, 0,    0, //
        0x2C, 0xF3, 1,    0, // a later value wins
        0x4C, 0x8A, 4,    0, 0x6C, 0xA5, 0,    0, 0x8C, 0x3C, 0,
        0,    0xEC, 0x03, 5, 0,    0x2C, 0x01, 0, 0, // after a delay of 5: not part of the setup
    };
    const auto s = operatorSettings(initialRegisters(imf), 4, 1);
    EXPECT_EQ(s.frequencyFactor, 3);
    EXPECT_TRUE(s.keyboardScaling && s.keepSustain && s.vibrato && s.tremolo);
    EXPECT_EQ(s.envelopeText(), "Keep sustain");
    EXPECT_EQ(s.attenuation, "7.50");
    EXPECT_EQ(s.levelKeyScaling, "1,5 dB / octave");
    EXPECT_EQ(s.attackRate, 10);
    EXPECT_EQ(s.decayRate, 5);
    EXPECT_EQ(s.sustain, 3);
    EXPECT_EQ(s.releaseRate, 12);
    EXPECT_EQ(s.waveform, "Sinus");
    const auto other = operatorSettings(initialRegisters(imf), 4, 0);
    EXPECT_EQ(other.envelopeText(), "Decay after sustain");
    EXPECT_EQ(other.waveform, "Sinus");
}

TEST(OperatorCells, PanelNeedsItsParent) {
    StrictPrompter prompter;
    CellPropertiesPanel panel(prompter);
    EXPECT_FALSE(panel.refresh(1, 0));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Parent not initialised!!!");
    MusicDocument doc;
    panel.attach(&doc);
    EXPECT_TRUE(panel.refresh(1, 0));
}

TEST(OperatorCells, RhythmUseCountsKeysOnlyWhileRhythmModeIsOn) {
    // Register 0xBD: bit 5 turns rhythm mode on, bits 0..4 key hi-hat .. bass drum. A key bit
    // written with the mode off plays nothing; a trailing half event is no event.
    const std::vector<uint8_t> imf{0xBD, 0x11, 0,    0, 0xBD, 0x28, 4,
                                   0,    0xB0, 0x3F, 0, 0,    0xBD, 0x22};
    const RhythmUse use = rhythmUse(imf);
    EXPECT_TRUE(use.enabled);
    EXPECT_TRUE(use.snareDrum);
    EXPECT_FALSE(use.hiHat || use.bassDrum || use.topCymbal || use.tomTom);
    EXPECT_FALSE(rhythmUse({}).enabled);
}

TEST(NoteEditor, PitchZoomKeepsTheOctaveUnderTheMouseAndStaysInRange) {
    NoteEditor e;
    const int y = e.yOfPitch(5.0); // C5 at the full view
    for (int zoom : {7, 6, 5}) {
        const int before = e.yOfPitch(5.0);
        e.zoomPitchAt(before, true);
        EXPECT_EQ(e.vZoom, zoom);
        EXPECT_NEAR(e.yOfPitch(5.0), before, e.octavePixels() / 2 + 1) << zoom;
    }
    for (int i = 0; i < 10; ++i)
        e.zoomPitchAt(0, true);
    EXPECT_EQ(e.vZoom, NoteEditor::kFewestOctavesInView);
    EXPECT_GE(e.vScroll, 0);
    EXPECT_LE(e.vScroll, e.vScrollRange());
    for (int i = 0; i < 10; ++i)
        e.zoomPitchAt(y, false);
    EXPECT_EQ(e.vZoom, NoteEditor::kOctaves);
    EXPECT_EQ(e.vScroll, 0);
}
