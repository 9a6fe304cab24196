// The devices over the graphics archive's models: planar pictures with their display copy,
// font characters and 8x8 tiles.
#include "draw/FontDevice.h"
#include "draw/GraphDevice.h"
#include "draw/Tile8Device.h"
#include "DrawTestSupport.h"
#include "TestSupport.h"
#include "vgagraph/FontOps.h"
#include "vgagraph/PictureOps.h"

#include <gtest/gtest.h>

#include <random>

namespace zentrik::test {
namespace {

GraphicsSet pictures(std::vector<PictureSize> sizes) {
    GraphicsSet set;
    for (PictureSize s : sizes) {
        set.table.push_back(s);
        Bytes planar(size_t(s.width) * size_t(s.height));
        for (size_t i = 0; i < planar.size(); ++i)
            planar[i] = uint8_t(i + 1);
        set.pictures.push_back(planar);
    }
    set.loaded = true;
    return set;
}

// The planar layout itself is checked with the picture operations; here the device must use it
// and keep its display copy in step, also through undo.
TEST(GraphDevice, EditsWriteThePlanesAndTheDisplayCopyForAWidthThatIsNoMultipleOf4) {
    GraphicsSet set = pictures({{6, 2}});
    CGraphDevice dev(set);
    dev.selectPicture(0);
    ASSERT_EQ(dev.width(), 6);
    EXPECT_EQ(dev.getPixel(2, 0), set.pictures[0][planarIndex(2, 0, 6, 2)]);
    dev.startUndoRecord(UndoKind::PixelList);
    dev.setPixel(5, 1, 99);
    dev.closeUndoRecord();
    EXPECT_EQ(set.pictures[0][planarIndex(5, 1, 6, 2)], 99);
    EXPECT_TRUE(set.changed);
    EXPECT_EQ(dev.displayCopy(), pictureDisplayCopy(set.pictures[0], set.table[0]));
    dev.undo();
    EXPECT_EQ(set.pictures[0][planarIndex(5, 1, 6, 2)], 8);
    EXPECT_EQ(dev.displayCopy(), pictureDisplayCopy(set.pictures[0], set.table[0]));
}

TEST(GraphDevice, ToolsKeepTheDisplayCopyEqualToThePlanes) {
    std::mt19937 rng(7);
    GraphicsSet set = pictures({{13, 9}});
    CGraphDevice dev(set);
    dev.selectPicture(0);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    const Bytes before = set.pictures[0];
    for (int i = 0; i < 200; ++i) {
        ed.selectTool(ToolId(rng() % 6));
        ed.setColour(MouseButton::Left, uint8_t(rng() % 3));
        const ChunkPoint a{int(rng() % 15) - 1, int(rng() % 11) - 1};
        ed.buttonDown(MouseButton::Left, a);
        ed.mouseMove({int(rng() % 15) - 1, int(rng() % 11) - 1});
        ed.buttonUp(MouseButton::Left, {int(rng() % 15) - 1, int(rng() % 11) - 1});
        if (rng() % 7 == 0)
            ed.paste();
        if (rng() % 9 == 0)
            ed.copy();
        ASSERT_EQ(dev.displayCopy(), pictureDisplayCopy(set.pictures[0], set.table[0])) << i;
    }
    ed.leaveChunk();
    while (dev.undo()) {
    }
    ASSERT_FALSE(dev.undoRing().droppedAny());
    EXPECT_EQ(set.pictures[0], before);
}

// A font of the given height whose characters (code, width) lie in code order, each pixel
// numbered so that moved blocks are recognised.
Bytes makeFont(int height, std::vector<std::pair<int, int>> chars) {
    Bytes font(770, 0);
    font[0] = uint8_t(height);
    for (auto [code, width] : chars) {
        const size_t at = font.size();
        font[2 + 2 * code] = uint8_t(at & 0xFF);
        font[3 + 2 * code] = uint8_t(at >> 8);
        font[514 + code] = uint8_t(width);
        for (int i = 0; i < width * height; ++i)
            font.push_back(uint8_t(code + i));
    }
    return font;
}

TEST(FontDevice, CharacterOfWidthOneAndItsNeighbours) {
    StrictPrompter prompter;
    FontSet set;
    set.fonts.push_back(makeFont(3, {{'!', 1}, {'A', 2}}));
    CFontDevice dev(set, prompter);
    dev.selectCharacter(0, '!');
    ASSERT_EQ(dev.width(), 1);
    ASSERT_EQ(dev.height(), 3);
    PictureClipboard clip;
    PictureEditor ed(dev, clip);
    ed.setColour(MouseButton::Left, 9);
    ed.buttonDown(MouseButton::Left, {0, 0});
    ed.mouseMove({0, 2});
    ed.mouseMove({3, 2}); // drawn across the edge: only column 0 exists
    ed.buttonUp(MouseButton::Left, {3, 2});
    EXPECT_EQ(Bytes(set.fonts[0].begin() + 770, set.fonts[0].begin() + 773), Bytes({9, 9, 9}));
    EXPECT_EQ(set.fonts[0][773], 'A') << "the next character is untouched";
    EXPECT_TRUE(set.changed);
    ed.undo();
    EXPECT_EQ(set.fonts[0][771], '!' + 1);
    dev.selectCharacter(0, 'B');
    EXPECT_FALSE(dev.hasChunk()) << "an absent character has no pixels";
}

} // namespace
} // namespace zentrik::test
