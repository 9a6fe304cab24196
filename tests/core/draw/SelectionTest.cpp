// Lifting, moving, dropping and discarding the floating selection; the shared picture
// clipboard; and the randomized check that undo takes every action back exactly.
#include "draw/MemoryDevice.h"
#include "DrawTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace zentrik::test {
namespace {

void numbered(CMemoryDevice& dev) {
    for (size_t i = 0; i < dev.pixels().size(); ++i)
        dev.pixels()[i] = uint8_t(i % 200 + 1);
}

struct Fixture {
    explicit Fixture(int w = 16, int h = 16) : dev(w, h), ed(dev, clip) {
        numbered(dev);
        ed.setColour(L, 220);
        ed.setColour(R, 230);
    }
    CMemoryDevice dev;
    PictureClipboard clip;
    PictureEditor ed;
};

TEST(Selection, LiftMoveDropIsUndoneInOneStep) {
    Fixture f;
    const Bytes before = f.dev.pixels();
    f.ed.selectTool(ToolId::Selection);
    drag(f.ed, L, {2, 2}, {4, 3}); // marks 3 x 2
    EXPECT_FALSE(f.ed.selection().floating());
    drag(f.ed, L, {3, 3}, {13, 6}); // grabbing it lifts it and moves it by (10, 3)
    ASSERT_TRUE(f.ed.selection().lifted());
    EXPECT_EQ(f.dev.getPixel(2, 2), 230) << "the hole takes the right-button colour";
    EXPECT_EQ(f.ed.selection().rect(), (ChunkRect{12, 5, 14, 6}));
    f.ed.selectTool(ToolId::Pen); // drops it
    EXPECT_FALSE(f.ed.selection().exists());
    EXPECT_EQ(f.dev.getPixel(12, 5), before[2 * 16 + 2]);
    EXPECT_EQ(f.dev.getPixel(14, 6), before[3 * 16 + 4]);
    EXPECT_EQ(f.dev.undoRing().newestRecordBytes().back(), 2) << "dropped as a joined record";
    EXPECT_EQ(f.dev.undoRing().stepCount(), 1u);
    EXPECT_TRUE(f.ed.undo());
    EXPECT_EQ(f.dev.pixels(), before);
    EXPECT_EQ(f.dev.undoRing().recordCount(), 0u);
}

TEST(Selection, BlockHalfOffTheChunkWritesOnlyTheOverlap) {
    Fixture f;
    f.ed.selectTool(ToolId::Selection);
    drag(f.ed, L, {0, 0}, {3, 3});
    drag(f.ed, L, {1, 1}, {14, 14}); // now 13..16: two columns and rows hang off
    const Bytes before = f.dev.pixels();
    f.ed.leaveChunk();
    const Bytes rec = f.dev.undoRing().newestRecordBytes();
    EXPECT_EQ(rec.size(), 9u + 11);
    EXPECT_EQ(Bytes(rec.end() - 11, rec.end()), Bytes({13, 0, 13, 0, 3, 0, 3, 0, 9, 0, 2}));
    EXPECT_EQ(f.dev.getPixel(15, 15), 2 * 16 + 2 + 1) << "block pixel (2, 2)";
    EXPECT_EQ(f.dev.getPixel(12, 12), before[12 * 16 + 12]);
}

TEST(Clipboard, CopyCutPasteCarryPixelsAndPosition) {
    Fixture f;
    f.ed.selectTool(ToolId::Selection);
    drag(f.ed, L, {5, 6}, {6, 7});
    f.ed.copy();
    EXPECT_EQ(f.clip.origin, (ChunkPoint{5, 6}));
    EXPECT_EQ(f.clip.pixels, Bytes({6 * 16 + 6, 6 * 16 + 7, 7 * 16 + 6, 7 * 16 + 7}));
    f.ed.selection().clear();
    f.ed.cut(); // no selection: the whole chunk
    EXPECT_EQ(f.clip.width, 16);
    EXPECT_EQ(f.clip.pixels.size(), 256u);
    EXPECT_FALSE(f.ed.selection().exists());
    EXPECT_EQ(f.dev.pixels(), Bytes(256, 230));
    f.ed.undo();
    EXPECT_EQ(f.dev.getPixel(15, 15), 256 % 200);
}

TEST(Clipboard, UndoWhileABlockFloatsTakesOnlyThatBlockAway) {
    Fixture f;
    f.ed.buttonDown(L, {0, 0});
    f.ed.buttonUp(L, {0, 0});
    f.ed.copy();
    f.ed.paste();
    f.ed.undo();
    EXPECT_FALSE(f.ed.selection().exists());
    EXPECT_EQ(f.dev.getPixel(0, 0), 220) << "the pen dot before the paste stays";
    PictureClipboard empty;
    EXPECT_FALSE(PictureEditor(f.dev, empty).paste()) << "nothing copied yet";
}

// Any sequence of actions, undone as many times as steps were recorded, gives back the
// chunk's first pixels, while the ring has not had to drop anything.
TEST(UndoRandomized, EverySequenceIsUndoneExactly) {
    std::mt19937 rng(1234);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    PictureClipboard clip;
    for (int round = 0; round < 300; ++round) {
        const int w = rnd(1, 24), h = rnd(1, 24);
        CMemoryDevice dev(w, h);
        for (auto& p : dev.pixels())
            p = uint8_t(rnd(0, 3)); // few colours: fills meet many regions
        const Bytes start = dev.pixels();
        PictureEditor ed(dev, clip);
        auto pt = [&] { return ChunkPoint{rnd(-3, w + 2), rnd(-3, h + 2)}; };
        for (int step = 0, n = rnd(1, 40); step < n; ++step) {
            const auto b = rnd(0, 1) ? L : R;
            ed.setColour(b, uint8_t(rnd(0, 4)));
            switch (rnd(0, 9)) {
            case 0:
                ed.selectTool(ToolId(rnd(0, kToolCount - 1)));
                break;
            case 1:
                ed.copy();
                break;
            case 2:
                ed.cut();
                break;
            case 3:
                ed.paste();
                break;
            case 4:
                ed.deleteSelection();
                break;
            case 5:
                ed.cancel();
                break;
            default:
                ed.buttonDown(b, pt());
                for (int m = rnd(0, 3); m > 0; --m)
                    ed.mouseMove(pt());
                if (rnd(0, 5))
                    ed.buttonUp(b, pt());
            }
        }
        ed.leaveChunk();
        ASSERT_FALSE(dev.undoRing().droppedAny());
        for (size_t s = dev.undoRing().stepCount(); s > 0; --s)
            ASSERT_TRUE(dev.undo()) << round;
        EXPECT_EQ(dev.undoRing().recordCount(), 0u);
        ASSERT_EQ(dev.pixels(), start) << "round " << round;
    }
}

} // namespace
} // namespace zentrik::test
