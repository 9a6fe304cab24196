// maps render-2d: each cell's pixels come from the right wall page and the right sprite, and
// --problems frames the problem's cell and adds the legend.
#include "../core/maps/MapTestFixture.h"
#include "CliRunner.h"

#include "imaging/PngCodec.h"
#include "maps/LevelPicture.h"
#include "pagefile/PageFileReader.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rows; // top row first
    uint8_t at(int x, int y) const { return rows[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture readPicture(const std::filesystem::path& path) {
    auto png = readPng(readBytes(path));
    EXPECT_TRUE(png);
    Picture p;
    if (!png || png->depth != 8)
        return p;
    p.width = png->width;
    p.height = png->height;
    for (int y = 0; y < p.height; ++y) {
        const int row = png->topDown ? y : p.height - 1 - y;
        const auto* line = png->bits.data() + size_t(row) * png->stride;
        p.rows.insert(p.rows.end(), line, line + p.width);
    }
    return p;
}

struct Shareware {
    TempDir dir;
    MapFixture maps;
    WallSet walls;
    SpriteSet sprites;
    Shareware() {
        dir.copyGameFile("wl1/MAPHEAD.WL1");
        dir.copyGameFile("wl1/VSWAP.WL1");
        EXPECT_TRUE(maps.load(dir.copyGameFile("wl1/GAMEMAPS.WL1")));
        const auto vswap = readBytes(dir / "VSWAP.WL1");
        InlineProgress progress;
        LoadTexturesWorker(vswap, progress, maps.prompter, walls);
        LoadSpritesWorker(vswap, progress, maps.prompter, sprites);
    }
    CliResult run(const std::string& args) const { return runCli(args, dir.path().string()); }
    // maps render-2d of a shareware level into a file of the folder.
    CliResult render(int level, const std::string& out, const std::string& options = "") const {
        return run("maps render-2d " + q(dir / "GAMEMAPS.WL1") + " " + std::to_string(level) + " " +
                   q(dir / out) + options);
    }
    const Plane& plane(int level, int p) const {
        return maps.set.levels[size_t(level)].planes[size_t(p)];
    }
};

TEST(CliRender2d, CellsShowTheirWallPageAndSprite) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto r = s.render(0, "a.png", " --cell 64");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Picture p = readPicture(s.dir / "a.png");
    ASSERT_EQ(p.width, 64 * 64);
    ASSERT_EQ(p.height, 64 * 64);
    // The first wall of value 8 (blue stone) shows page 14 pixel for pixel; the first barrel
    // (object 24, sprite 3) its sprite over the floor grey.
    int wallCell = -1, barrelCell = -1, doorCell = -1;
    for (int i = 0; i < kPlaneWords; ++i) {
        if (wallCell < 0 && s.plane(0, 0)[size_t(i)] == 8 && s.plane(0, 1)[size_t(i)] == 0)
            wallCell = i;
        if (barrelCell < 0 && s.plane(0, 1)[size_t(i)] == 24)
            barrelCell = i;
        if (doorCell < 0 && s.plane(0, 0)[size_t(i)] == 90 && s.plane(0, 1)[size_t(i)] == 0)
            doorCell = i;
    }
    ASSERT_GE(wallCell, 0);
    ASSERT_GE(barrelCell, 0);
    ASSERT_GE(doorCell, 0);
    const IndexedImage& wall = *s.walls.images[14];
    const IndexedImage& door = *s.walls.images[size_t(s.walls.count() - 7)]; // page 99
    const IndexedImage& barrel = *s.sprites.images[3];
    int spritePixels = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(p.at(wallCell % 64 * 64 + x, wallCell / 64 * 64 + y), wall.at(x, y));
            ASSERT_EQ(p.at(doorCell % 64 * 64 + x, doorCell / 64 * 64 + y), door.at(x, y));
            const uint8_t b = barrel.at(x, y);
            spritePixels += b != TransparentIndex;
            ASSERT_EQ(p.at(barrelCell % 64 * 64 + x, barrelCell / 64 * 64 + y),
                      b != TransparentIndex ? b : kPictureFloor);
        }
    EXPECT_GT(spritePixels, 100);
}

TEST(CliRender2d, ProblemsAreFramedWithALegend) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto r = s.render(2, "b.png", " --problems");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Picture p = readPicture(s.dir / "b.png");
    ASSERT_EQ(p.width, 1024);
    EXPECT_EQ(p.height, 1024 + kLegendLineHeight + 4); // E1M3's one problem
    EXPECT_EQ(p.at(7 * 16, 63 * 16), kPictureError);
    EXPECT_EQ(p.at(2, 1024 + 4 + 3), kPictureError); // the legend's swatch
}

TEST(CliRender2d, SkillLeavesOutHarderActors) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    ASSERT_EQ(s.render(0, "1.png", " --skill 1 --cell 4").exitCode, 0);
    ASSERT_EQ(s.render(0, "4.png", " --cell 4").exitCode, 0);
    int hard = -1;
    for (int i = 0; i < kPlaneWords && hard < 0; ++i)
        if (s.plane(0, 1)[size_t(i)] >= 180 && s.plane(0, 1)[size_t(i)] <= 213)
            hard = i;
    ASSERT_GE(hard, 0);
    const Picture easy = readPicture(s.dir / "1.png"), all = readPicture(s.dir / "4.png");
    bool differs = false, easyIsFloor = true;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int px = hard % 64 * 4 + x, py = hard / 64 * 4 + y;
            differs = differs || easy.at(px, py) != all.at(px, py);
            easyIsFloor = easyIsFloor && easy.at(px, py) == kPictureFloor;
        }
    EXPECT_TRUE(differs);
    EXPECT_TRUE(easyIsFloor);
    EXPECT_EQ(s.render(0, "x.png", " --cell 1").exitCode, 2);
    EXPECT_EQ(s.render(0, "x.bmp").exitCode, 2);
    EXPECT_EQ(s.render(0, "x.png", " --vswap " + q(s.dir / "NONE.WL1")).exitCode, 1);
}

} // namespace
