// The undo ring's record layout, its size limit and its tie to one chunk.
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

TEST(UndoRing, FullRingDropsTheOldestStepsAndUndoStopsAtTheOldestHeld) {
    CMemoryDevice dev(64, 64);
    const int dots = 4096 + 10; // 8 bytes each: 32848 bytes, more than the ring holds
    for (int i = 0; i < dots; ++i)
        dot(dev, i);
    EXPECT_TRUE(dev.undoRing().droppedAny());
    EXPECT_EQ(dev.undoRing().recordCount(), 4096u);
    int undone = 0;
    while (dev.undo())
        ++undone;
    EXPECT_EQ(undone, 4096);
    // The first ten dots cannot be taken back; all later ones are.
    for (int i = 0; i < 64 * 64; ++i) {
        const int expected = i < 10 ? i % 250 + 1 : 0;
        ASSERT_EQ(dev.pixels()[size_t(i)], expected) << i;
    }
}

TEST(UndoRing, StepLargerThanTheRingEmptiesTheHistory) {
    CMemoryDevice dev(300, 300);
    dot(dev, 1);
    dev.startUndoRecord(UndoKind::Rectangle);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            dev.setPixel(x, y, 3);
    dev.closeUndoRecord(ChunkRect{0, 0, 199, 199});
    EXPECT_EQ(dev.undoRing().recordCount(), 0u);
    EXPECT_FALSE(dev.undo());
    EXPECT_EQ(dev.pixels()[0], 3);
    dot(dev, 2);
    EXPECT_TRUE(dev.undo()) << "the ring works again afterwards";
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
    // Redo puts the whole moved block back, larger than the ring, and it undoes again.
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
    EXPECT_FALSE(dev.redo()) << "never on another chunk";
}

} // namespace
} // namespace zentrik::test
