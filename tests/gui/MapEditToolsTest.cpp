// The level map's tools on a level, cell by cell, without painting.
#include "maps/MapEditTools.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace zentrik {
namespace {

constexpr uint16_t kPlayerStart = 19;

class MapTools : public ::testing::Test {
protected:
    MapTools() : tools(clock, quiet, prompter) {
        walls.assign(kPlaneWords, 0);
        objects.assign(kPlaneWords, 0);
        table.objects[kPlayerStart].type = kObjectPlayerStart;
        tools.view.table = &table;
        tools.setPlanes(&walls, &objects);
        c1 = tools.modified.connect([this] { ++modified; });
        // A stroke may write the cell it started from twice; only the order of cells counts.
        c2 = tools.cellChanged.connect([this](int x, int y) {
            if (written.empty() || written.back() != std::make_pair(x, y))
                written.emplace_back(x, y);
        });
        clock.set(100000);
    }
    uint16_t& wall(int x, int y) { return walls[size_t(y * kMapSide + x)]; }
    uint16_t& object(int x, int y) { return objects[size_t(y * kMapSide + x)]; }

    FakeClock clock;
    QuietTime quiet;
    test::StrictPrompter prompter;
    ObjectDescriptionTable table;
    Plane walls, objects;
    MapEditController tools;
    int modified = 0;
    std::vector<std::pair<int, int>> written;
    Connection c1, c2;
};

TEST_F(MapTools, FastStrokesWriteTheCellsOfTheLineInEveryDirection) {
    tools.left.wall = 7;
    ASSERT_TRUE(tools.press(0, 0, true));
    tools.move(5, 2);
    tools.release(5, 2);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(wall(3, 1), 7);
    EXPECT_GT(modified, 0);

    // Back up and to the left: the line still runs between the two positions.
    written.clear();
    tools.right.wall = 9;
    ASSERT_TRUE(tools.press(5, 5, false));
    tools.move(3, 0);
    tools.release(3, 0);
    const std::vector<std::pair<int, int>> back{{5, 5}, {5, 4}, {5, 3}, {4, 2}, {4, 1}, {3, 0}};
    EXPECT_EQ(written, back);
    EXPECT_EQ(wall(4, 2), 9);

    // Moving without a button draws nothing, but the line starts where the mouse was.
    written.clear();
    tools.move(10, 10);
    EXPECT_TRUE(written.empty());
}

TEST_F(MapTools, SplitModesWriteAndCompareTheirByte) {
    tools.view.split = SplitMode::HighByte;
    wall(2, 2) = 0x0034;
    tools.left.wall = 0x12;
    tools.press(2, 2, true);
    tools.release(2, 2);
    EXPECT_EQ(wall(2, 2), 0x1234);
    EXPECT_EQ(tools.cursor().wall, 0x12);

    tools.view.split = SplitMode::LowByte;
    tools.left.wall = 0x56;
    tools.press(2, 2, true);
    tools.release(2, 2);
    EXPECT_EQ(wall(2, 2), 0x1256);

    EXPECT_EQ(wallSymbol(0x0034, SplitMode::HighByte).index, 0x34);
    EXPECT_TRUE(wallSymbol(0x0034, SplitMode::HighByte).dimmed);
    EXPECT_FALSE(wallSymbol(0x1234, SplitMode::HighByte).dimmed);
    EXPECT_EQ(wallSymbol(0x1234, SplitMode::HighByte).index, 0x12);
    EXPECT_EQ(wallSymbol(600, SplitMode::Whole).index, 511);
}

TEST_F(MapTools, PipetteReportsTheButtonAndBothValues) {
    wall(4, 5) = 0x0203;
    object(4, 5) = 44;
    std::vector<std::tuple<bool, uint16_t, uint16_t>> picks;
    Connection c =
        tools.picked.connect([&](bool l, uint16_t w, uint16_t o) { picks.emplace_back(l, w, o); });
    tools.setPenMode(PenMode::Pipette);
    tools.view.split = SplitMode::LowByte;
    tools.press(4, 5, false);
    tools.move(4, 6); // dragging picks again on every cell reached
    tools.release(4, 6);
    ASSERT_EQ(picks.size(), 2u);
    EXPECT_EQ(picks[0], std::make_tuple(false, uint16_t(3), uint16_t(44)));
    EXPECT_EQ(picks[1], std::make_tuple(false, uint16_t(0), uint16_t(0)));
    EXPECT_EQ(modified, 0);
}

TEST_F(MapTools, FillCoversAWholeMapWithoutRecursionAndStopsAtOtherWallsWithoutWrapping) {
    tools.setPenMode(PenMode::Fill);
    tools.left.wall = 108;
    tools.press(63, 63, true);
    tools.release(63, 63);
    for (uint16_t w : walls)
        ASSERT_EQ(w, 108);
    // The same value again changes nothing.
    written.clear();
    tools.press(0, 0, true);
    tools.release(0, 0);
    EXPECT_TRUE(written.empty());

    for (int y = 0; y < kMapSide; ++y)
        wall(10, y) = 1; // a wall column splits the map
    tools.left.wall = 5;
    tools.press(63, 0, true);
    tools.release(63, 0);
    EXPECT_EQ(wall(11, 30), 5);
    EXPECT_EQ(wall(10, 30), 1);
    EXPECT_EQ(wall(9, 30), 108);
    EXPECT_EQ(wall(0, 1), 108); // (63,0) + 1 would be (0,1) without the edge check
}

TEST_F(MapTools, ObjectFillStaysOnTheStartWall) {
    for (int x = 0; x < kMapSide; ++x)
        for (int y = 0; y < 3; ++y)
            wall(x, y) = y == 1 ? 2 : 108;
    tools.target = PenTarget::Objects;
    tools.setPenMode(PenMode::Fill);
    tools.left.object = 30;
    tools.press(0, 0, true);
    tools.release(0, 0);
    EXPECT_EQ(object(63, 0), 30);
    EXPECT_EQ(object(5, 1), 0); // same object (0), other wall
    EXPECT_EQ(object(5, 2), 0); // not connected through row 1
    EXPECT_EQ(wall(5, 0), 108);
}

TEST_F(MapTools, RectangleWritesOnReleaseAndEscapeWritesNothing) {
    tools.setPenMode(PenMode::Rectangle);
    tools.target = PenTarget::Objects;
    tools.right.object = kPlayerStart;
    int starts = 0;
    Connection c = tools.playerStartDrawn.connect([&] { ++starts; });
    tools.press(6, 6, false);
    tools.move(4, 8);
    EXPECT_TRUE(tools.rect().active);
    EXPECT_EQ(modified, 0); // only a preview so far
    tools.release(4, 8);
    for (int y = 6; y <= 8; ++y)
        for (int x = 4; x <= 6; ++x)
            EXPECT_EQ(object(x, y), kPlayerStart);
    EXPECT_EQ(object(3, 6), 0);
    EXPECT_EQ(starts, 9);

    const Plane before = objects;
    tools.press(0, 0, false);
    tools.move(20, 20);
    EXPECT_TRUE(tools.escape());
    tools.release(20, 20);
    EXPECT_EQ(objects, before);
    EXPECT_FALSE(tools.escape());
}

TEST_F(MapTools, SelectionIncludesStartAndMouseCellAndRefusesMoreThan64) {
    tools.setPenMode(PenMode::RectSelect);
    EXPECT_FALSE(tools.press(3, 3, false)); // left button only
    tools.press(5, 5, true);
    EXPECT_FALSE(tools.hasSelection());
    tools.move(5, 5 + 1);
    tools.move(7, 6);
    EXPECT_EQ(tools.selection().x0, 5);
    EXPECT_EQ(tools.selection().x1, 8);
    EXPECT_EQ(tools.selection().y1, 7);
    tools.move(2, 1); // up and left: the start cell stays inside
    EXPECT_EQ(tools.selection().x1, 2);
    EXPECT_EQ(tools.selection().y1, 1);
    tools.release(2, 1);

    // A captured mouse dragged far beyond the map's edge.
    tools.press(0, 0, true);
    tools.move(63, 0);
    tools.move(70, 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Zentrik");
    EXPECT_EQ(prompter.messages[0].caption, "Error 24:Rect Select bigger than 64 !");
    EXPECT_EQ(tools.selection().x1, 64); // the last allowed selection stays
    EXPECT_FALSE(tools.buttonHeld());
}

TEST_F(MapTools, PasteAtColumn62DropsWhatLiesOutside) {
    MapClipBlock block;
    block.width = 3;
    block.height = 2;
    for (uint16_t i = 0; i < 6; ++i) {
        block.walls[i] = uint16_t(10 + i);
        block.objects[i] = uint16_t(20 + i);
    }
    EXPECT_TRUE(tools.beginPaste(block));
    EXPECT_EQ(tools.penMode(), PenMode::Paste);
    tools.press(62, 10, true);
    EXPECT_EQ(wall(62, 10), 10);
    EXPECT_EQ(wall(63, 10), 11);
    EXPECT_EQ(wall(0, 11), 0); // no wrap into the next row
    EXPECT_EQ(object(63, 11), 24);
    EXPECT_EQ(tools.penMode(), PenMode::RectSelect);
    EXPECT_FALSE(tools.pasteBlock().has_value());
    EXPECT_GT(modified, 0); // a paste counts as unsaved work

    MapClipBlock row;
    row.width = 64;
    row.height = 1;
    EXPECT_FALSE(tools.beginPaste(row));
    EXPECT_EQ(tools.penMode(), PenMode::RectSelect);
}

TEST_F(MapTools, PickAPositionMarksTheQuietTime) {
    std::pair<int, int> picked{-1, -1};
    Connection c = tools.positionPicked.connect([&](int x, int y) { picked = {x, y}; });
    tools.setPenMode(PenMode::PickPosition);
    tools.press(12, 34, true);
    EXPECT_EQ(picked, std::make_pair(12, 34));
    EXPECT_FALSE(tools.buttonHeld());
    EXPECT_EQ(quiet.at(), 100000u);
    // The next second of clicks is ignored.
    tools.setPenMode(PenMode::Pen);
    clock.advance(999);
    EXPECT_FALSE(tools.press(1, 1, true));
    clock.advance(2);
    EXPECT_TRUE(tools.press(1, 1, true));
}

TEST_F(MapTools, NoLevelOrAnUnknownModeDrawsNothing) {
    tools.setPlanes(nullptr, nullptr);
    EXPECT_FALSE(tools.press(1, 1, true));
    tools.setPlanes(&walls, &objects);
    EXPECT_FALSE(tools.press(-1, 3, true));
    EXPECT_FALSE(tools.press(64, 3, true));
    tools.setPenMode(PenMode(9));
    tools.press(1, 1, true);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error 23:PenMode does not exist!");
    EXPECT_EQ(modified, 0);
}

TEST(MapPictureCells, ObjectsAreMaskedFilteredAndClampedTo511) {
    SymbolStrip strip;
    Symbol wallSym, objSym;
    wallSym.fill(0x7C00); // red
    objSym.fill(0x03E0);  // green
    objSym[0] = 0x0842;   // channels of 2: transparent
    strip.setSymbol(5, wallSym);
    strip.setSymbol(511 + 512, objSym);
    strip.setSymbol(44 + 512, objSym);
    ObjectDescriptionTable table;
    table.objects[44].difficulty = 3;
    MapView view;
    view.strip = &strip;
    view.table = &table;

    CellPixels c = renderCellValues(view, 5, 600);
    EXPECT_EQ(c[0], 0x7C00);
    EXPECT_EQ(c[1], 0x03E0);
    view.difficulties[2] = false; // difficulty 3 hidden
    c = renderCellValues(view, 5, 44);
    EXPECT_EQ(c[1], 0x7C00);
    view.showObjects = false;
    table.objects[44].type = kObjectPushwall; // pushwall markers stay visible
    c = renderCellValues(view, 5, 44);
    EXPECT_EQ(c[1], 0x03E0);
    view.thirdPlaneEditing = true;
    c = renderCellValues(view, 5, 44);
    EXPECT_EQ(c[1], 0x7C00);

    table.floorCodes.insert(5);
    view.showFloors = false;
    c = renderCellValues(view, 5, 0);
    EXPECT_EQ(c[1], strip.symbol(0)[1]);
    EXPECT_EQ(dimPixel(0x7FFF), (15 << 10) | (15 << 5) | 15);
}

TEST(MapPictureGeometry, GridLinesAndFrame) {
    SymbolStrip strip;
    Symbol s;
    s.fill(0x001F);
    strip.setSymbol(1, s);
    Plane walls(kPlaneWords, 1), objects(kPlaneWords, 0);
    MapView view;
    view.strip = &strip;
    view.walls = &walls;
    view.objects = &objects;
    MapPicture pic;
    pic.render(view);
    EXPECT_EQ(pic.pixel(0, 100), kGridColor);
    EXPECT_EQ(pic.pixel(8, 100), kGridColor);
    EXPECT_EQ(pic.pixel(512, 3), kGridColor);
    EXPECT_EQ(pic.pixel(1, 1), 0x001F);
    EXPECT_EQ(pic.pixel(511, 511), 0x001F);
    EXPECT_EQ(view.controlSide(), 513);
    EXPECT_EQ(view.mouseLimit(), 511);

    view.grid = false;
    pic.render(view);
    EXPECT_EQ(pic.pixel(449, 10), kFrameColor);
    EXPECT_EQ(pic.pixel(448, 448), 0x001F);
    EXPECT_EQ(pic.pixel(8, 100), 0x001F);
    EXPECT_EQ(view.controlSide(), 450);
    EXPECT_EQ(view.mouseLimit(), 448);
}

} // namespace
} // namespace zentrik
