// The minimap: its window at the map's edges, symbols, the viewer's marks and the mouse.
#include "world/Minimap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrik::test {
namespace {

ViewerPose at(double x, double y, int angle = 0) {
    return {int32_t(x * 65536), int32_t(y * 65536), angle};
}

TEST(Minimap, WindowFollowsTheViewerAndStopsAtTheEdges) {
    EXPECT_EQ(minimapWindow(at(3.5, 3.5)), (MinimapWindow{0, 0, 0, 0}));
    EXPECT_EQ(minimapWindow(at(62.0, 62.0)), (MinimapWindow{48, 48, 0, 0}));
    EXPECT_EQ(minimapWindow(at(30.5, 20.0)), (MinimapWindow{22, 12, 3, 0}));
    int32_t x = 0, y = 0;
    minimapPoint(minimapWindow(at(30.5, 20.0)), 56 - 3, 56, x, y); // the viewer's own pixel
    EXPECT_EQ(x, 30 << 16);
    EXPECT_EQ(y, 20 << 16);
    EXPECT_EQ(minimapAngleTo(at(30.0, 20.0), 100, 56), 0);
    EXPECT_EQ(minimapAngleTo(at(30.0, 20.0), 56, 0), 90);
}

TEST(Minimap, SymbolsObjectsAndMarks) {
    SymbolStrip strip;
    Symbol wall, object;
    wall.fill(0x001F);
    object.fill(0x0001); // nearly black: the wall shows through
    object[0] = 0x7C00;
    strip.setSymbol(SymbolStrip::plane0Index(5), wall);
    strip.setSymbol(SymbolStrip::objectIndex(23), object);
    Level level = Level::blank(false);
    level.planes[0][size_t(2 * 64 + 1)] = 5;
    level.planes[1][size_t(2 * 64 + 1)] = 23;
    MinimapPicture pic;
    renderMinimap(&level, strip, at(3.5, 3.5, 0), pic);
    EXPECT_EQ(pic[size_t(14 * kMinimapSide + 7)], 0x7C00); // object pixel over the wall
    EXPECT_EQ(pic[size_t(15 * kMinimapSide + 8)], 0x001F);
    EXPECT_EQ(pic[size_t(24 * kMinimapSide + 24)], kMinimapWhite); // the viewer
    EXPECT_EQ(pic[size_t(24 * kMinimapSide + 31)], kMinimapWhite); // one tile ahead
    renderMinimap(nullptr, strip, at(3.5, 3.5), pic);
    EXPECT_TRUE(std::all_of(pic.begin(), pic.end(), [](uint16_t c) { return c == 0; }));
}

TEST(Minimap, DragThresholds) {
    EXPECT_FALSE(minimapRepeats(true, 3, 0, 10));
    EXPECT_TRUE(minimapRepeats(true, 5, 0, 0));
    EXPECT_TRUE(minimapRepeats(true, 0, 0, 21));
    EXPECT_FALSE(minimapRepeats(false, 4, 4, 20));
    EXPECT_TRUE(minimapRepeats(false, 0, 5, 0));
    EXPECT_TRUE(minimapRepeats(false, 0, 0, 21));
}

} // namespace
} // namespace zentrik::test
