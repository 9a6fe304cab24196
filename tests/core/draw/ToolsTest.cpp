// The painting rules of the tools, driven through the editor as a widget would drive them.
#include "draw/MemoryDevice.h"
#include "DrawTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

std::vector<ChunkPoint> pixelsOf(const CMemoryDevice& dev, uint8_t index) {
    std::vector<ChunkPoint> found;
    for (int y = 0; y < dev.height(); ++y)
        for (int x = 0; x < dev.width(); ++x)
            if (dev.getPixel(x, y) == index)
                found.push_back({x, y});
    return found;
}

struct Fixture {
    explicit Fixture(int w = 64, int h = 64, uint8_t fill = 0) : dev(w, h, fill), ed(dev, clip) {
        ed.setColour(L, 1);
        ed.setColour(R, 2);
    }
    CMemoryDevice dev;
    PictureClipboard clip;
    PictureEditor ed;
};

TEST(LineRule, PixelsOfTheNamedLinesInBothDirections) {
    auto line = [](ChunkPoint a, ChunkPoint b) {
        std::vector<ChunkPoint> pts;
        forEachLinePixel(a, b, [&](ChunkPoint p) { pts.push_back(p); });
        return pts;
    };
    EXPECT_EQ(line({0, 0}, {4, 1}),
              (std::vector<ChunkPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
    // Backwards the rounding is toward the start again, so the halves swap.
    EXPECT_EQ(line({4, 1}, {0, 0}),
              (std::vector<ChunkPoint>{{4, 1}, {3, 1}, {2, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(line({0, 0}, {1, 4}),
              (std::vector<ChunkPoint>{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(line({3, 3}, {3, 3}), (std::vector<ChunkPoint>{{3, 3}}));
    EXPECT_EQ(line({0, 0}, {-2, -2}), (std::vector<ChunkPoint>{{0, 0}, {-1, -1}, {-2, -2}}));
}

TEST(LineTool, DrawnOnReleaseAsOnePixelListStep) {
    Fixture f;
    f.ed.selectTool(ToolId::Line);
    f.ed.buttonDown(L, {0, 0});
    f.ed.mouseMove({10, 10});
    EXPECT_TRUE(pixelsOf(f.dev, 1).empty()) << "nothing drawn while dragging";
    f.ed.buttonUp(L, {4, 1});
    EXPECT_EQ(pixelsOf(f.dev, 1),
              (std::vector<ChunkPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(f.dev.undoRing().newestRecordBytes().size(), 5u * 5 + 3);
    // A line released off the chunk is cut at the edge; Escape drops a line being dragged.
    f.ed.buttonDown(R, {62, 0});
    f.ed.buttonUp(R, {70, 0});
    EXPECT_EQ(pixelsOf(f.dev, 2).size(), 2u);
    f.ed.buttonDown(R, {0, 5});
    f.ed.cancel();
    f.ed.buttonUp(R, {9, 5});
    EXPECT_EQ(pixelsOf(f.dev, 2).size(), 2u);
}

TEST(PenTool, MovesAreJoinedByLinesAndTheStrokeIsOneStep) {
    Fixture f;
    f.ed.buttonDown(L, {0, 0});
    f.ed.mouseMove({4, 1});
    f.ed.mouseMove({4, 5});
    f.ed.buttonUp(L, {4, 5});
    EXPECT_EQ(pixelsOf(f.dev, 1).size(), 9u);
    EXPECT_EQ(f.dev.undoRing().stepCount(), 1u);
    EXPECT_TRUE(f.ed.undo());
    EXPECT_TRUE(pixelsOf(f.dev, 1).empty());
}

TEST(PenTool, SecondButtonEndsTheFirstStrokeAndPressOutsideStartsNothing) {
    Fixture f;
    f.ed.buttonDown(L, {1, 1});
    f.ed.buttonDown(R, {5, 5});
    f.ed.mouseMove({5, 6});
    f.ed.buttonUp(L, {9, 9}); // the first button's release no longer counts
    f.ed.mouseMove({5, 7});
    f.ed.buttonUp(R, {5, 7});
    EXPECT_EQ(pixelsOf(f.dev, 1), (std::vector<ChunkPoint>{{1, 1}}));
    EXPECT_EQ(pixelsOf(f.dev, 2).size(), 3u);
    EXPECT_EQ(f.dev.undoRing().stepCount(), 2u);
    f.ed.buttonDown(L, {64, 3});
    EXPECT_FALSE(f.ed.buttonHeld());
    f.ed.mouseMove({3, 3});
    EXPECT_EQ(f.dev.getPixel(3, 3), 0);
}

TEST(RectangleTool, DraggedOutsideIsClippedAtTheEdge) {
    Fixture f;
    f.ed.selectTool(ToolId::Rectangle);
    drag(f.ed, L, {60, 61}, {100, -20});
    const auto painted = pixelsOf(f.dev, 1);
    ASSERT_EQ(painted.size(), 4u * 62);
    EXPECT_EQ(painted.front(), (ChunkPoint{60, 0}));
    EXPECT_EQ(painted.back(), (ChunkPoint{63, 61}));
    const Bytes rec = f.dev.undoRing().newestRecordBytes();
    ASSERT_EQ(rec.size(), 4u * 62 + 11);
    EXPECT_EQ(Bytes(rec.end() - 11, rec.end()), Bytes({60, 0, 0, 0, 4, 0, 62, 0, 248, 0, 1}));
}

TEST(FillTool, RunsThenAboveBelowFromTheRightEnd) {
    Fixture f(3, 3);
    f.ed.selectTool(ToolId::Fill);
    click(f.ed, L, {1, 1});
    const Bytes rec = f.dev.undoRing().newestRecordBytes();
    std::vector<ChunkPoint> order;
    for (size_t i = 0; i + 5 <= rec.size() - 3; i += 5)
        order.push_back({rec[i], rec[i + 2]});
    EXPECT_EQ(order, (std::vector<ChunkPoint>{
                         {1, 1}, {0, 1}, {2, 1}, {2, 0}, {1, 0}, {0, 0}, {2, 2}, {1, 2}, {0, 2}}));
}

TEST(FillTool, StaysInsideItsRegionAtTheChunkEdges) {
    Fixture f(16, 16);
    for (int i = 0; i < 16; ++i)
        f.dev.pixels()[16 * 8 + i] = 9; // a wall across the middle row
    f.dev.pixels()[16 * 8 + 15] = 0;    // with a gap at the right edge
    f.ed.selectTool(ToolId::Fill);
    click(f.ed, L, {0, 0});
    EXPECT_EQ(pixelsOf(f.dev, 1).size(), 16u * 15 + 1);
    const uint64_t recorded = f.dev.undoRing().newestSerial(f.dev.chunkKey());
    click(f.ed, L, {0, 0}); // the same colour again: nothing to record
    EXPECT_EQ(f.dev.undoRing().newestSerial(f.dev.chunkKey()), recorded);
    click(f.ed, R, {15, 15});
    EXPECT_EQ(pixelsOf(f.dev, 2).size(), 16u * 15 + 1);
    EXPECT_EQ(pixelsOf(f.dev, 9).size(), 15u);
}

TEST(FillTool, HugeWindingRegionNeedsNoDeepRecursion) {
    CMemoryDevice dev(1023, 1023);
    // A comb: every second column is a wall open at alternating ends, one path through it all.
    for (int x = 1; x < 1023; x += 2)
        for (int y = 0; y < 1023; ++y)
            if (y != ((x / 2) % 2 ? 0 : 1022))
                dev.pixels()[size_t(y) * 1023 + x] = 5;
    EXPECT_TRUE(spanFill(dev, {0, 0}, 7));
    EXPECT_EQ(pixelsOf(dev, 0).size(), 0u);
}

TEST(Magnifier, CentresOnTheClickInsideTheChunk) {
    Fixture f;
    f.ed.selectTool(ToolId::Magnifier);
    click(f.ed, L, {63, 63});
    const ZoomView& v = f.ed.view();
    EXPECT_EQ(v.viewPixels(64, 64), 368) << "512 screen pixels need scroll bars";
    EXPECT_EQ(v.scrollX, 64 - 368 / 8);
    click(f.ed, L, {30, 2});
    EXPECT_EQ(v.scrollX, 30 - 368 / 16 / 2);
    EXPECT_EQ(v.scrollY, 0);
    EXPECT_EQ(v.toChunk(17, 31), (ChunkPoint{30 - 11 + 1, 1}));
    EXPECT_EQ(v.toChunk(-1, 0).x, 30 - 11 - 1) << "positions left of the view round down";
    click(f.ed, R, {0, 0});
    click(f.ed, R, {0, 0});
    EXPECT_EQ(v.viewPixels(64, 64), 384);
    EXPECT_EQ(v.scrollX, 0);
}

TEST(ZoomView, WheelZoomKeepsThePixelUnderThePointerAndFitShowsTheWhole) {
    ZoomView v;
    v.viewWidth = 800;
    v.viewHeight = 500;
    v.fit(320, 200);
    EXPECT_EQ(v.magnification, 2) << "640 x 400 fits, 960 x 600 does not";
    const ChunkPoint under = v.toChunk(100, 80);
    ASSERT_TRUE(v.zoomAbout(true, 100, 80, 320, 200));
    EXPECT_EQ(v.magnification, 3);
    EXPECT_EQ(v.toChunk(100, 80), under);
    for (int i = 0; i < 10; ++i)
        v.zoomAbout(true, 100, 80, 320, 200);
    EXPECT_EQ(v.magnification, 16);
    EXPECT_FALSE(v.zoomAbout(true, 100, 80, 320, 200));
    EXPECT_EQ(v.toChunk(100, 80), under);
    while (v.zoomAbout(false, 0, 0, 320, 200)) {
    }
    EXPECT_EQ(v.magnification, 1);
    EXPECT_EQ(v.scrollX, 0);
    v.fit(4000, 10);
    EXPECT_EQ(v.magnification, 1) << "never below 1x";
}

} // namespace
} // namespace zentrik::test
