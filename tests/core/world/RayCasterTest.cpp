// The 3D view's frame: column hits, heights and texels at known poses, doors and their sides,
// sprites behind walls, floors, and the faults of bad map values.
#include "../maps/MapTestFixture.h"
#include "pagefile/PageFileReader.h"
#include "WorldFixture.h"

namespace zentrik::test {
namespace {

// Rays straight along the four axes from one point, to walls at four different distances: a
// swap of x and y, a wrong face or a wrong sign shows as another cell, height or texture.
TEST(RayCaster, AxisRaysHitTheRightCellFaceAndHeight) {
    WorldScene s;
    s.wall(14, 20, 1); // east, face 3.5 tiles away
    s.wall(10, 15, 2); // north, 4.5
    s.wall(4, 20, 3);  // west, 5.5
    s.wall(10, 22, 4); // south, 1.5
    s.build();
    struct Case {
        int angle, cellX, cellY;
        bool vertical;
        int texture, height;
    };
    for (const Case& c : {Case{0, 14, 20, true, 1, 427}, Case{90, 10, 15, false, 2, 338},
                          Case{180, 4, 20, true, 5, 280}, Case{270, 10, 22, false, 6, 891}}) {
        SCOPED_TRACE(c.angle);
        s.render(10.5, 20.5, c.angle);
        for (int col : {299, 300}) {
            const ColumnHit& h = s.column(col);
            EXPECT_EQ(h.kind, HitKind::Wall);
            EXPECT_EQ(h.cellX, c.cellX);
            EXPECT_EQ(h.cellY, c.cellY);
            EXPECT_EQ(h.verticalFace, c.vertical);
            EXPECT_EQ(h.texture, c.texture);
            EXPECT_EQ(h.height, c.height);
            EXPECT_EQ(h.texColumn, 31); // faces are never drawn mirrored
            EXPECT_EQ(s.frame->at(col, kCenterRow), 100 + c.texture);
            EXPECT_EQ(s.frame->at(col, h.top - 1), kBackgroundColor);
        }
    }
}

TEST(RayCaster, RaysOnGridLinesAndThroughCornersDoNotLeak) {
    struct Case {
        double x, y;
        int angle;
        int wx0, wy0, wx1, wy1;
    };
    for (const Case& c :
         {Case{12.0, 20.0, 0, 14, 19, 14, 20}, Case{12.0, 20.0, 90, 11, 17, 12, 17},
          Case{12.0, 20.0, 180, 9, 19, 9, 20}, Case{12.0, 20.0, 270, 11, 22, 12, 22},
          Case{10.5, 10.5, 45, 11, 10, 10, 9}}) {
        SCOPED_TRACE(c.angle);
        WorldScene s;
        s.wall(c.wx0, c.wy0, 1);
        s.wall(c.wx1, c.wy1, 1);
        s.build();
        s.render(c.x, c.y, c.angle);
        for (int col : {299, 300}) {
            const ColumnHit& h = s.column(col);
            ASSERT_EQ(h.kind, HitKind::Wall);
            EXPECT_TRUE((h.cellX == c.wx0 && h.cellY == c.wy0) ||
                        (h.cellX == c.wx1 && h.cellY == c.wy1));
            EXPECT_GT(h.height, 600);
        }
    }
}

TEST(RayCaster, DoorsAreDrawnAtTheirMiddleWithSideTexturesBesideThem) {
    WorldScene s;
    s.wall(20, 30, 90); // vertical door: texture -7, side -6
    s.wall(20, 29, 1);
    s.wall(20, 31, 1);
    s.wall(40, 30, 91); // horizontal door: texture -8, side -5
    s.wall(39, 30, 2);
    s.wall(41, 30, 2);
    s.build();
    EXPECT_EQ(s.map.tile(20, 29), 1 | kTileDoorSide);
    EXPECT_EQ(s.map.tile(39, 30), 2 | kTileDoorSide);

    s.render(17.5, 30.5, 0);
    const ColumnHit& door = s.column(300);
    EXPECT_EQ(door.kind, HitKind::Door);
    EXPECT_EQ(door.texture, WorldScene::kWalls - 7);
    EXPECT_EQ(door.height, kHeightNumerator / ((3 * 65536 + kFocalLength) >> 8)); // x = 20.5
    int sides = 0;
    for (const ColumnHit& h : s.frame->columns)
        if (h.kind == HitKind::DoorSide && h.cellX == 20) {
            // Seen through the door's cell: the side texture; the outer face: its own.
            sides += !h.verticalFace;
            EXPECT_EQ(h.texture, h.verticalFace ? 1 : WorldScene::kWalls - 6);
        }
    EXPECT_GT(sides, 0);
    // The outer face of a side wall looks onto no door and keeps its own texture.
    s.render(17.5, 31.5, 0);
    EXPECT_EQ(s.column(300).kind, HitKind::DoorSide);
    EXPECT_EQ(s.column(300).texture, 1);

    s.render(40.5, 33.5, 90);
    EXPECT_EQ(s.column(300).kind, HitKind::Door);
    EXPECT_EQ(s.column(300).texture, WorldScene::kWalls - 8);
    EXPECT_EQ(s.column(300).height, kHeightNumerator / ((3 * 65536 + kFocalLength) >> 8));
}

TEST(RayCaster, BadWallValuesDoorsAndTexturesDrawNothing) {
    WorldScene s;
    s.symbols.objects.doors.clear();
    for (int d = 0; d < 70; ++d) // more doors than the tile byte can tell apart
        s.symbols.objects.doors.push_back({uint16_t(1000 + d), 0, true, 0, 0});
    s.symbols.objects.doors[1].texture = -100;
    s.symbols.objects.doors[2].texture = 500;
    s.wall(12, 20, 70);   // neither wall nor door
    s.wall(13, 20, 300);  // past a byte
    s.wall(14, 20, 1065); // door row 65: past the 64 the tile byte holds
    s.wall(16, 20, 1001); // door with a texture before the first wall
    s.wall(18, 20, 1002); // door with a texture past the last wall
    s.wall(20, 20, 40);   // wall value past the loaded walls
    s.build();
    for (int x : {12, 13, 14})
        EXPECT_EQ(s.map.tile(x, 20), 0);
    s.render(10.5, 20.5, 0);
    EXPECT_EQ(s.column(300).kind, HitKind::Door);
    EXPECT_EQ(s.column(300).cellX, 16);
    EXPECT_EQ(s.column(300).texture, -1);
    EXPECT_EQ(s.frame->at(300, kCenterRow), kBackgroundColor); // drawn as an empty column
    for (int next : {18, 20}) { // the one in front cleared: the next bad value draws nothing
        s.wall(next - 2, 20, 0);
        s.build();
        s.render(10.5, 20.5, 0);
        EXPECT_EQ(s.column(300).cellX, next);
        EXPECT_EQ(s.column(300).texture, -1);
    }
    // Off the map's edge: nothing hit, the column is floor and ceiling only.
    s.render(30.5, 20.5, 0);
    EXPECT_EQ(s.column(300).kind, HitKind::None);
}

TEST(RayCaster, SpritesAreHiddenBehindNearerWallsAndFilteredByDifficulty) {
    WorldScene s;
    s.describe(23, 2, kObjectStatic);
    s.describe(24, 500, kObjectStatic); // past the loaded sprites: not drawn, not read
    s.describe(108, 3, kObjectActor, 4);
    s.wall(12, 20, 1);
    s.object(14, 21, 23); // partly behind the wall at (12, 20)
    s.object(11, 19, 24);
    s.object(13, 22, 108);
    s.build();
    s.render(10.5, 20.5, 0);
    int shown = 0, hidden = 0;
    for (int c = 0; c < kViewWidth; ++c) {
        const bool wallNear = s.column(c).kind == HitKind::Wall && s.column(c).cellX == 12;
        const uint8_t v = s.frame->at(c, kCenterRow + 5);
        if (v == 202) {
            EXPECT_FALSE(wallNear) << c;
        }
        shown += v == 202;
        hidden += wallNear && c > 300 && c < 400;
    }
    EXPECT_GT(shown, 0);
    EXPECT_GT(hidden, 0);
    EXPECT_EQ(s.map.things().size(), 3u);
    s.build(kDifficultyMedium);
    EXPECT_EQ(s.map.things().size(), 2u); // the difficulty-4 actor went
}

TEST(RayCaster, FloorModesAndTheMissingThirdPlane) {
    WorldScene s;
    s.wall(0, 0, 0x0503); // floor texture 3 / colour 3, ceiling texture 5 / colour 5
    s.wall(14, 20, 1);
    s.build();
    struct Case {
        FloorMode mode;
        uint8_t ceiling, floor;
    };
    for (const Case& c : {Case{FloorMode::None, kBackgroundColor, kBackgroundColor},
                          Case{FloorMode::Colors, 5, 3}, Case{FloorMode::SingleTexture, 105, 103},
                          Case{FloorMode::PlaneTextures, kBackgroundColor, kBackgroundColor}}) {
        s.options.floorMode = c.mode;
        s.render(10.5, 20.5, 0);
        EXPECT_EQ(s.frame->at(300, 2), c.ceiling);
        EXPECT_EQ(s.frame->at(300, kViewHeight - 2), c.floor);
    }
    s.level.planes[2].assign(kPlaneWords, 0x0F02);          // ceiling 15, floor 2
    s.level.planes[2][size_t(20 * kMapSide + 11)] = 0x4001; // ceiling past the walls
    s.build();
    s.render(10.5, 20.5, 0);
    // Rows 2 and 372 see cell (11, 20), rows 124 and 250 cell (13, 20).
    EXPECT_EQ(s.frame->at(300, 2), kMissingTextureColor);
    EXPECT_EQ(s.frame->at(300, kViewHeight - 2), 101);
    EXPECT_EQ(s.frame->at(300, 124), 115);
    EXPECT_EQ(s.frame->at(300, 250), 102);
}

TEST(RayCaster, ShareWareLevelOneLooksAtItsFirstDoor) {
    ZENTRIK_REQUIRE_GAMEDATA();
    MapFixture m;
    ASSERT_TRUE(m.load(gamedataDir() / "wl1" / "GAMEMAPS.WL1"));
    const auto vswap = readGameFile("wl1/VSWAP.WL1");
    WorldScene s;
    InlineProgress progress;
    ASSERT_EQ(LoadTexturesWorker(vswap, progress, m.prompter, s.walls), JobResult::Done);
    s.level = m.set.levels[0];
    s.describe(20, WorldMap::kPlayerMarkSprite, kObjectPlayerStart); // facing east
    s.build(); // the start at (29, 57) is checked on the 3D page
    ViewerPose pose;
    ASSERT_TRUE(placeViewerOnStart(pose, s.map));
    EXPECT_EQ(pose.angle, 0);
    s.render(29.5, 57.5, 0);
    const ColumnHit& h = s.column(300);
    EXPECT_EQ(h.kind, HitKind::Door);
    EXPECT_EQ(h.cellX, 32);
    EXPECT_EQ(h.cellY, 57);
    EXPECT_EQ(h.texture, s.walls.count() - 7);
    EXPECT_EQ(h.height, kHeightNumerator / ((3 * 65536 + kFocalLength) >> 8));
    const auto texel = s.walls.raw[size_t(h.texture * kLowTextureBytes + h.texColumn * 64 + 32)];
    EXPECT_EQ(s.frame->at(300, kCenterRow), texel);
    // Column 0 looks 36 degrees left: 1.5 tiles up, 2 across, the south face of (31, 55).
    EXPECT_EQ(s.column(0).kind, HitKind::Wall);
    EXPECT_EQ(s.column(0).cellX, 31);
    EXPECT_EQ(s.column(0).cellY, 55);
    EXPECT_FALSE(s.column(0).verticalFace);
}

} // namespace
} // namespace zentrik::test
