// The undo records' layout, the memory budget and the history of each chunk.
#include "draw/FloatingSelection.h"
#include "draw/MemoryDevice.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(UndoRing, PixelListRecordHasEntriesThenLengthAndKind) {
    CMemoryDevice dev(300, 300, 7);
    dev.startUndoRecord(UndoKind::PixelList);
    dev.setPixel(3, 300, 1); // below the chunk: not recorded
    dev.setPixel(3, 5, 1);
    dev.setPixel(258, 2, 9);
    dev.closeUndoRecord();
    EXPECT_EQ(dev.undoRing().newestRecordBytes(), Bytes({3, 0, 5, 0, 7, 2, 1, 2, 0, 7, 10, 0, 0}));
}

TEST(UndoRing, RectangleRecordHasOldPixelsThenRectangleThenTrailer) {
    CMemoryDevice dev(8, 8);
    for (int i = 0; i < 64; ++i)
        dev.pixels()[i] = uint8_t(i);
    dev.startUndoRecord(UndoKind::Rectangle);
    for (int y = 2; y <= 3; ++y)
        for (int x = 5; x <= 7; ++x)
            dev.setPixel(x, y, 0xEE);
    dev.closeUndoRecord(ChunkRect{5, 2, 7, 3});
    EXPECT_EQ(dev.undoRing().newestRecordBytes(),
              Bytes({21, 22, 23, 29, 30, 31, 5, 0, 2, 0, 3, 0, 2, 0, 6, 0, 1}));
    ASSERT_TRUE(dev.undo());
    EXPECT_EQ(dev.pixels()[23], 23);
    EXPECT_EQ(dev.pixels()[29], 29);
    EXPECT_FALSE(dev.undo()) << "an empty ring does nothing";
}

TEST(UndoRing, JoinedRecordUndoesTheRecordBeforeItInTheSameStep) {
    CMemoryDevice dev(4, 4);
    for (UndoKind kind : {UndoKind::PixelList, UndoKind::Rectangle, UndoKind::JoinedRectangle}) {
        dev.startUndoRecord(kind);
        dev.setPixel(1, 1, uint8_t(int(kind) + 1));
        dev.closeUndoRecord(ChunkRect{1, 1, 1, 1});
    }
    EXPECT_EQ(dev.undoRing().stepCount(), 2u);
    dev.undo();
    EXPECT_EQ(dev.pixels()[5], 1) << "kinds 2 and 1 went back together";
    dev.undo();
    EXPECT_EQ(dev.pixels()[5], 0);
}

// One pen dot: 5 bytes of entry and 3 of trailer.
void dot(CMemoryDevice& dev, int i) {
    dev.startUndoRecord(UndoKind::PixelList);
    dev.setPixel(i % 64, (i / 64) % 64, uint8_t(i % 250 + 1));
    dev.closeUndoRecord();
}

TEST(UndoRing, PastTheBudgetTheOldestStepsOfAnyChunkGoFirst) {
    CMemoryDevice dev(64, 64);
    dev.undoRing().setBudget(5 * 10); // ten dots of 5 bytes
    for (int i = 0; i < 6; ++i)
        dot(dev, i);
    dev.showChunk(1);
    for (int i = 6; i < 12; ++i)
        dot(dev, i);
    EXPECT_TRUE(dev.undoRing().droppedAny());
    EXPECT_EQ(dev.undoRing().bytesHeld(), 50u);
    EXPECT_EQ(dev.undoRing().stepCount(), 6u) << "the chunk just edited kept all its steps";
    dev.showChunk(0);
    int undone = 0;
    while (dev.undo())
        ++undone;
    EXPECT_EQ(undone, 4) << "chunk 0 lost its two oldest dots";
    EXPECT_EQ(dev.pixels()[0], 1);
    EXPECT_EQ(dev.pixels()[1], 2);
    EXPECT_EQ(dev.pixels()[2], 0);
}

// The credits picture filled: 64,000 pixels in one pixel list, more than 300 KB of record.
TEST(UndoRing, TheNewestStepIsKeptWhateverItsSizeAndRedoes) {
    CMemoryDevice dev(320, 200);
    dev.undoRing().setBudget(1000);
    dot(dev, 1);
    dev.startUndoRecord(UndoKind::PixelList);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            dev.setPixel(x, y, 3);
    dev.closeUndoRecord();
    EXPECT_EQ(dev.undoRing().stepCount(), 1u) << "the dot before it gave way";
    const auto filled = dev.pixels();
    ASSERT_TRUE(dev.undo());
    Bytes before(64000, 0);
    before[1] = 2; // the dot
    EXPECT_EQ(dev.pixels(), before);
    ASSERT_TRUE(dev.redo());
    EXPECT_EQ(dev.pixels(), filled);
    ASSERT_TRUE(dev.undo());
    EXPECT_EQ(dev.pixels()[64000 - 1], 0);
}

TEST(UndoRing, EachChunkKeepsItsOwnUndoAndRedo) {
    CMemoryDevice dev(64, 64);
    dot(dev, 0);
    dot(dev, 1);
    ASSERT_TRUE(dev.undo());
    dev.showChunk(1);
    EXPECT_FALSE(dev.undo()) << "nothing to undo on chunk 1";
    EXPECT_FALSE(dev.redo());
    dot(dev, 5);
    dev.showChunk(0);
    EXPECT_TRUE(dev.undoRing().canRedo(dev.chunkKey()));
    ASSERT_TRUE(dev.redo()) << "chunk 0 got its redo back";
    ASSERT_TRUE(dev.undo());
    ASSERT_TRUE(dev.undo());
    EXPECT_FALSE(dev.undoRing().canUndo(dev.chunkKey()));
    // Renumbered chunks take their histories along; a removed chunk's history goes.
    dev.undoRing().rekey([&](const ChunkKey& k) -> std::optional<ChunkKey> {
        if (k.index == 0)
            return std::nullopt;
        return ChunkKey{k.collection, k.index + 1, k.part};
    });
    dev.showChunk(2);
    EXPECT_TRUE(dev.undoRing().canUndo(dev.chunkKey()));
    dev.showChunk(0);
    EXPECT_FALSE(dev.undoRing().canRedo(dev.chunkKey()));
}

} // namespace
} // namespace zentrik::test

namespace zentrik::test {
namespace {

TEST(UndoRing, LiftAndDropOfAWhole128ChunkUndoAsOneStep) {
    CMemoryDevice dev(128, 128);
    for (size_t i = 0; i < dev.pixels().size(); ++i)
        dev.pixels()[i] = uint8_t(i % 251);
    const auto before = dev.pixels();
    FloatingSelection sel;
    sel.lift(dev, 0); // Cut or a grab without a mark lifts the whole chunk
    sel.moveBy(3, 2);
    ASSERT_TRUE(sel.drop(dev));
    EXPECT_EQ(dev.undoRing().stepCount(), 1u);
    const auto moved = dev.pixels();
    ASSERT_TRUE(dev.undo());
    EXPECT_EQ(dev.pixels(), before) << "no hole left where the block was lifted";
    // Redo puts the whole moved block back, and it undoes again.
    ASSERT_TRUE(dev.redo());
    EXPECT_EQ(dev.pixels(), moved);
    ASSERT_TRUE(dev.undo());
    EXPECT_EQ(dev.pixels(), before);
}

TEST(UndoRing, RedoWalksForwardUntilANewEditOrAnotherChunk) {
    CMemoryDevice dev(64, 64);
    for (int i = 0; i < 3; ++i)
        dot(dev, 0); // the same pixel three times: 1, 1, 1
    dot(dev, 1);
    dot(dev, 2);
    const auto drawn = dev.pixels();
    ASSERT_TRUE(dev.undo());
    ASSERT_TRUE(dev.undo());
    EXPECT_EQ(dev.undoRing().redoCount(), 2u);
    ASSERT_TRUE(dev.redo());
    ASSERT_TRUE(dev.redo());
    EXPECT_EQ(dev.pixels(), drawn);
    EXPECT_FALSE(dev.redo()) << "nothing left to redo";
    ASSERT_TRUE(dev.undo());
    dot(dev, 7);
    EXPECT_FALSE(dev.redo()) << "a new edit forgets what was undone";
    ASSERT_TRUE(dev.undo());
    dev.showChunk(1);
    EXPECT_FALSE(dev.redo()) << "chunk 1 has nothing to redo";
}

// Each script step: eN a dot on chunk N, uN / rN undo / redo on chunk N, s a save, i an Insert
// before chunk 0 (every history moves up one), I that Insert undone.
struct SavedCase {
    const char* script;
    bool away;
    size_t chunksAway;
};

void inserted(UndoRing& ring, int delta) {
    ring.rekey([delta](const ChunkKey& k) -> std::optional<ChunkKey> {
        return ChunkKey{k.collection, k.index + delta, k.part};
    });
    ring.noteStructureStep(delta);
}

TEST(UndoRing, SavedPositionFollowsUndoAndRedo) {
    const SavedCase cases[] = {
        {"", false, 0},
        {"e0", true, 1},
        {"e0 u0", false, 0},
        {"e0 e1 u1", true, 1},
        {"e0 e1 u1 u0", false, 0},
        {"e0 u0 r0", true, 1},
        {"e0 s", false, 0},
        {"e0 s e0 u0", false, 0},
        {"e0 s u0", true, 1},
        {"e0 s u0 r0", false, 0},
        {"e0 s u0 e0", true, 1},
        {"i", true, 0},
        {"i I", false, 0},
        {"e0 i I u0", false, 0},
        {"e0 i s I", true, 0},
        // c: the histories cleared (whatever was unsaved stays so); n: an unrecorded edit
        {"e0 c", true, 0},
        {"e0 s c", false, 0},
        {"n", true, 0},
        {"n s", false, 0},
        {"e0 u0 n", true, 0},
    };
    for (const SavedCase& c : cases) {
        CMemoryDevice dev(64, 64);
        UndoRing& ring = dev.undoRing();
        int n = 0;
        for (const char* at = c.script; *at; ++at) {
            const char op = *at;
            const int chunk = at[1] >= '0' && at[1] <= '9' ? at[1] - '0' : 0;
            dev.showChunk(chunk);
            if (op == 'e')
                dot(dev, ++n);
            else if (op == 'u')
                dev.undo();
            else if (op == 'r')
                dev.redo();
            else if (op == 's')
                ring.markSaved();
            else if (op == 'c')
                ring.clear();
            else if (op == 'n')
                ring.noteUnrecordedEdit();
            else if (op == 'i' || op == 'I')
                inserted(ring, op == 'i' ? 1 : -1);
        }
        EXPECT_EQ(ring.awayFromSaved(), c.away) << c.script;
        EXPECT_EQ(ring.chunksAwayFromSaved(), c.chunksAway) << c.script;
    }
}

TEST(UndoRing, StepsLostToTheBudgetOrARemovedHistoryStayUnsaved) {
    CMemoryDevice dev(64, 64);
    dev.undoRing().setBudget(5 * 2); // two dots
    for (int i = 1; i <= 3; ++i)
        dot(dev, i);
    while (dev.undo()) {
    }
    EXPECT_TRUE(dev.undoRing().awayFromSaved()) << "the oldest dot cannot be undone";
    dev.undoRing().markSaved();
    EXPECT_FALSE(dev.undoRing().awayFromSaved());

    dot(dev, 4);
    dev.undoRing().rekey(
        [](const ChunkKey&) -> std::optional<ChunkKey> { return std::nullopt; }); // chunk 0 removed
    EXPECT_TRUE(dev.undoRing().awayFromSaved()) << "its unsaved dot went with no way back";
}

} // namespace
} // namespace zentrik::test
