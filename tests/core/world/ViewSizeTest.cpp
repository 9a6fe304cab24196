// The 3D view at other picture sizes: the same field of view, the same picture at twice the
// size, and picks in a larger picture that find the same cells.
#include "../maps/MapTestFixture.h"
#include "pagefile/PageFileReader.h"
#include "world/WorldEdit.h"
#include "WorldFixture.h"

#include <algorithm>
#include <cstdlib>

namespace zentrik::test {
namespace {

TEST(ViewGeometry, TheSmallestIsTheFixedOneAndLargerOnesKeepTheField) {
    const ViewGeometry small = ViewGeometry::forSize(kViewWidth, kViewHeight);
    EXPECT_EQ(small.scale, kScale);
    EXPECT_EQ(small.heightNumerator, kHeightNumerator);
    EXPECT_EQ(small.centerRow, kCenterRow);
    EXPECT_EQ(small.halfView, kHalfView);
    ASSERT_EQ(small.rowDistance.size(), size_t(kCenterRow + 1));
    EXPECT_EQ(small.rowDistance[1], kHeightNumerator << 5);
    const ViewGeometry big = ViewGeometry::forSize(2 * kViewWidth, 2 * kViewHeight);
    EXPECT_EQ(big.centerRow, 2 * kCenterRow);
    EXPECT_EQ(big.scale, 820);
    for (int c = 0; c < kViewWidth; ++c)
        EXPECT_LE(std::abs(big.pixelAngle[size_t(2 * c)] - small.pixelAngle[size_t(c)]), 1) << c;
    // An odd width gets its last column too; sizes stay within the limits.
    const ViewGeometry odd = ViewGeometry::forSize(601, 376);
    EXPECT_NEAR(odd.pixelAngle[600], -small.pixelAngle[0], 1);
    const ViewGeometry cut = ViewGeometry::forSize(0, 100000);
    EXPECT_EQ(cut.width, 1);
    EXPECT_EQ(cut.height, kMaxViewSide);
}

struct LevelOne {
    MapFixture m;
    WorldScene s;
    bool ok = false;
    LevelOne() {
        if (!m.load(gamedataDir() / "wl1" / "GAMEMAPS.WL1"))
            return;
        const auto vswap = readGameFile("wl1/VSWAP.WL1");
        InlineProgress progress;
        ok = LoadTexturesWorker(vswap, progress, m.prompter, s.walls) == JobResult::Done &&
             LoadSpritesWorker(vswap, progress, m.prompter, s.sprites) == JobResult::Done;
        s.level = m.set.levels[0];
        s.level.planes[0][0] = 0x0B04; // floor texture 4, ceiling 11
        s.options.floorMode = FloorMode::SingleTexture;
        s.build();
    }
};

// Walls, doors, sprites, textured floors and ceilings: the pixel at twice the place of one of
// the 600 x 375 picture shows it or one of its neighbours.
TEST(ViewSize, TwiceTheSizeIsTheSamePictureAtEveryOtherPixel) {
    ZENTRIK_REQUIRE_GAMEDATA();
    LevelOne one;
    ASSERT_TRUE(one.ok);
    WorldScene& s = one.s;
    struct Pose {
        double x, y;
        int angle;
    };
    for (const Pose& p : {Pose{29.5, 57.5, 0}, Pose{28.5, 33.5, 0}, Pose{6.5, 33.5, 0},
                          Pose{2.5, 46.5, 90}, Pose{29.5, 57.5, 123}}) {
        SCOPED_TRACE(p.angle);
        s.frame->resize(kViewWidth, kViewHeight);
        const std::vector<uint8_t> small = s.render(p.x, p.y, p.angle).pixels;
        const std::vector<ColumnHit> columns = s.frame->columns;
        s.frame->resize(2 * kViewWidth, 2 * kViewHeight);
        const WorldFrame& big = s.render(p.x, p.y, p.angle);
        ASSERT_EQ(big.pixels.size(), 4 * small.size());
        // Rays differ by up to a tenth of a degree, so a texel may move by one picture pixel;
        // only far floors, with texels smaller than a pixel, may show another one.
        int differ = 0, far = 0, cellsDiffer = 0;
        for (int y = 0; y < kViewHeight; ++y)
            for (int x = 0; x < kViewWidth; ++x) {
                const uint8_t v = big.at(2 * x, 2 * y);
                differ += v != small[size_t(y * kViewWidth + x)];
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = std::clamp(x + dx, 0, kViewWidth - 1),
                                  sy = std::clamp(y + dy, 0, kViewHeight - 1);
                        near |= small[size_t(sy * kViewWidth + sx)] == v;
                    }
                far += !near;
            }
        for (int x = 0; x < kViewWidth; ++x)
            cellsDiffer += big.columns[size_t(2 * x)].cellX != columns[size_t(x)].cellX ||
                           big.columns[size_t(2 * x)].cellY != columns[size_t(x)].cellY;
        EXPECT_LT(differ, kViewPixels / 10);
        EXPECT_LT(far, kViewPixels / 50);
        EXPECT_LT(cellsDiffer, kViewWidth / 50);
    }
}

TEST(ViewSize, PicksInAPictureOfTwiceTheSizeFindTheSameCells) {
    WorldScene s;
    for (int i = 5; i <= 25; ++i) { // a room around the viewer
        s.wall(i, 5, 1);
        s.wall(i, 25, 2);
        s.wall(5, i, 3);
        s.wall(25, i, 4);
    }
    s.build();
    const ViewerPose pose{int32_t(10.5 * 65536), int32_t(20.5 * 65536), 20};
    struct Case {
        int px, py;
        PickKind kind;
    };
    const Case cases[] = {{300, kCenterRow, PickKind::Wall}, {150, kCenterRow, PickKind::Wall},
                          {300, 374, PickKind::Floor},       {300, 0, PickKind::Ceiling},
                          {40, 300, PickKind::Floor},        {560, 60, PickKind::Ceiling}};
    std::vector<WorldPick> small;
    s.render(10.5, 20.5, 20);
    for (const Case& c : cases) {
        small.push_back(pickAt(*s.frame, pose, c.px, c.py));
        EXPECT_EQ(small.back().kind, c.kind) << c.px << "," << c.py;
    }
    s.frame->resize(2 * kViewWidth, 2 * kViewHeight);
    s.render(10.5, 20.5, 20);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(pickAt(*s.frame, pose, 2 * cases[i].px, 2 * cases[i].py), small[i])
            << cases[i].px << "," << cases[i].py;
    EXPECT_EQ(pickAt(*s.frame, pose, 2 * kViewWidth, 10).kind, PickKind::None);
    EXPECT_EQ(pickAt(*s.frame, pose, 10, 2 * kViewHeight).kind, PickKind::None);
}

} // namespace
} // namespace zentrik::test
