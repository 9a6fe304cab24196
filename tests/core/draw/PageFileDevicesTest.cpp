// The wall device on the real shareware page file and on a 128-pixel wall set.
#include "draw/TexDevice.h"
#include "DrawTestSupport.h"
#include "pagefile/PageFileReader.h"
#include "TestSupport.h"
#include "WorkspaceFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace zentrik::test {
namespace {

struct Vswap {
    Vswap() {
        const Bytes file = readGameFile("wl1/VSWAP.WL1");
        StrictPrompter prompter;
        InlineProgress progress;
        wallsOk = LoadTexturesWorker(file, progress, prompter, walls) == JobResult::Done;
    }
    WallSet walls;
    bool wallsOk = false;
};

// Where the pixel lands in the raw columns and the image is seen through the textures page.
TEST(TexDevice, APixelChangesOneRawByteAndRaisesTheModifiedFlagOnce) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Vswap v;
    ASSERT_TRUE(v.wallsOk);
    WorkspaceFixture f;
    int titleUpdates = 0;
    Connection c = f.ws.modifiedChanged.connect([&](DataSet, bool) { ++titleUpdates; });
    CTexDevice dev(v.walls, &f.ws);
    dev.selectWall(3);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    const Bytes rawBefore = v.walls.raw;
    ed.setColour(L, uint8_t(dev.getPixel(5, 9) + 1));
    click(ed, L, {5, 9});
    size_t differing = 0;
    for (size_t i = 0; i < rawBefore.size(); ++i)
        differing += rawBefore[i] != v.walls.raw[i];
    EXPECT_EQ(differing, 1u);
    ed.undo();
    EXPECT_EQ(titleUpdates, 1) << "raised once, not per pixel";
    EXPECT_EQ(v.walls.raw, rawBefore);
}

TEST(TexDevice, EveryToolKeepsRawAndImageEqual) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Vswap v;
    ASSERT_TRUE(v.wallsOk);
    CTexDevice dev(v.walls);
    dev.selectWall(0);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    std::mt19937 rng(99);
    auto randomActions = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ed.selectTool(ToolId(rng() % 6));
            ed.setColour(L, uint8_t(rng()));
            ed.buttonDown(L, {int(rng() % 64), int(rng() % 64)});
            ed.mouseMove({int(rng() % 80) - 8, int(rng() % 80) - 8});
            ed.buttonUp(L, {int(rng() % 80) - 8, int(rng() % 80) - 8});
            if (i % 10 == 3)
                ed.copy();
            if (i % 10 == 7)
                ed.paste();
        }
        ed.leaveChunk();
    };
    randomActions(60);
    EXPECT_EQ(imageFromColumns(v.walls.slot(0), 64), *v.walls.images[0]);
    // A shorter run, which the ring holds whole, is undone to the last byte of both copies.
    dev.undoRing().clear();
    const Bytes rawBefore = v.walls.raw;
    randomActions(6);
    ASSERT_FALSE(dev.undoRing().droppedAny());
    while (dev.undo()) {
    }
    EXPECT_EQ(v.walls.raw, rawBefore);
    EXPECT_EQ(imageFromColumns(v.walls.slot(0), 64), *v.walls.images[0]);
}

TEST(TexDevice, EachWallKeepsItsHistoryUntilItIsRemoved) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Vswap v;
    ASSERT_TRUE(v.wallsOk);
    CTexDevice dev(v.walls);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    ed.setColour(L, 1);
    dev.selectWall(0);
    const uint8_t original = v.walls.images[0]->at(0, 0);
    click(ed, L, {0, 0});
    dev.selectWall(1);
    EXPECT_FALSE(ed.undo()) << "nothing to undo on wall 1";
    click(ed, L, {0, 0});
    dev.selectWall(0);
    EXPECT_TRUE(ed.undo()) << "wall 0 kept its step while wall 1 was painted";
    EXPECT_EQ(v.walls.images[0]->at(0, 0), original);

    dev.selectWall(1);
    click(ed, L, {1, 1});
    // Remove wall 1 as the page does: wall 2 takes its number.
    v.walls.images.erase(v.walls.images.begin() + 1);
    v.walls.raw.erase(v.walls.raw.begin() + 4096, v.walls.raw.begin() + 8192);
    const uint8_t kept = v.walls.images[1]->at(1, 1);
    EXPECT_FALSE(ed.undo());
    EXPECT_EQ(v.walls.images[1]->at(1, 1), kept);
}

WallSet hiResWalls() {
    WallSet set;
    set.side = 128;
    set.textureBytes = 16384;
    set.raw.assign(2 * 16384, 0);
    for (size_t i = 0; i < set.raw.size(); ++i)
        set.raw[i] = uint8_t(i / 128);
    for (int w = 0; w < 2; ++w)
        set.images.push_back(imageFromColumns(set.slot(w), 128));
    return set;
}

TEST(TexDevice, HundredTwentyEightPixelWall) {
    WallSet set = hiResWalls();
    CTexDevice dev(set);
    dev.selectWall(1);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    ASSERT_EQ(dev.width(), 128);
    EXPECT_EQ(ed.view().magnification, 3);
    ed.setColour(L, 77);
    click(ed, L, {100, 120});
    EXPECT_EQ(set.raw[16384 + 100 * 128 + 120], 77);
    EXPECT_EQ(set.images[1]->pixels[(127 - 120) * 128 + 100], 77);
    ed.selectTool(ToolId::Rectangle);
    ed.buttonDown(L, {120, 126});
    ed.buttonUp(L, {300, 300});
    EXPECT_EQ(set.raw[16384 + 127 * 128 + 127], 77);
    EXPECT_EQ(set.raw[16384 + 119 * 128 + 127], uint8_t((16384 + 119 * 128) / 128));
    EXPECT_EQ(imageFromColumns(set.slot(1), 128), *set.images[1]);
    ed.selectTool(ToolId::Magnifier);
    click(ed, L, {0, 0});
    EXPECT_EQ(ed.view().magnification, 4);
}

} // namespace
} // namespace zentrik::test
