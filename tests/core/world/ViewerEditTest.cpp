// Walking through the 3D view, picking in its picture and editing the level from it, and the
// minimap: its window at the map's edges, symbols, the viewer's marks and the mouse.
#include "world/Minimap.h"
#include "world/WorldEdit.h"
#include "WorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrik::test {
namespace {

struct Walker {
    WorldScene scene;
    FakeClock clock;
    ViewerMotion motion{clock};

    Walker(double x, double y, int angle) {
        scene.build();
        motion.pose = {int32_t(x * 65536), int32_t(y * 65536), angle};
    }
    // The view's timer: a tick every 10 ms.
    void walk(int ms) {
        for (int t = 0; t < ms; t += 10) {
            clock.advance(10);
            motion.tick(scene.map);
        }
    }
};

TEST(ViewerMotion, OneSecondMovesAndTurnsAtTheSpeedsOfTheKeys) {
    struct Case {
        ViewKey key;
        bool run;
        int32_t dx;
        int angle;
    };
    for (const Case& c :
         {Case{ViewKey::Up, false, 512000, 0}, Case{ViewKey::Down, true, -1024000, 0},
          Case{ViewKey::Left, false, 0, 125}, Case{ViewKey::Right, false, 0, 235},
          Case{ViewKey::Right, true, 0, 110}}) {
        Walker w(20.5, 20.5, 0);
        w.motion.key(c.key, true);
        w.motion.key(ViewKey::Run, c.run);
        w.walk(1000);
        EXPECT_EQ(w.motion.pose.x - int32_t(20.5 * 65536), c.dx);
        EXPECT_EQ(w.motion.pose.angle, c.angle);
    }
}

TEST(ViewerMotion, KeysReleaseOnlyTheirOwnDirection) {
    Walker w(20.5, 20.5, 0);
    w.motion.key(ViewKey::Up, true);
    w.motion.key(ViewKey::Up, false, true); // auto-repeat: the key is still down
    w.motion.key(ViewKey::Left, true);
    w.motion.key(ViewKey::Right, true);
    w.motion.key(ViewKey::Left, false); // Right still held
    w.walk(80);
    EXPECT_GT(w.motion.pose.x, int32_t(20.5 * 65536));
    EXPECT_EQ(w.motion.pose.angle, 350);
    w.motion.focusLost();
    EXPECT_FALSE(w.motion.moving());
    EXPECT_EQ(w.motion.speed(), 1);
}

TEST(ViewerMotion, ClippingSlidesAlongWallsAndSurvivesStalls) {
    Walker w(10.5, 20.5, 45);
    for (int x = 0; x < kMapSide; ++x)
        w.scene.wall(x, 19, 1);
    w.scene.wall(12, 20, 1);
    w.scene.build();
    w.motion.key(ViewKey::Up, true);
    w.walk(100);
    // Stopped within a step of the wall above, still sliding east.
    EXPECT_GE(w.motion.pose.y, (20 << 16) + kViewerHalfSize);
    EXPECT_LT(w.motion.pose.y, (20 << 16) + kViewerHalfSize + 3700);
    EXPECT_GT(w.motion.pose.x, int32_t(10.5 * 65536) + 30000);
    // One long step after a stall may not carry the viewer through the wall ahead.
    w.motion.pose = {int32_t(10.5 * 65536), int32_t(20.5 * 65536), 0};
    w.motion.restart();
    w.clock.advance(10000);
    w.motion.tick(w.scene.map);
    EXPECT_LT(w.motion.pose.x, (12 << 16) - kViewerHalfSize);
    EXPECT_FALSE(ViewerMotion::blocked(w.scene.map, w.motion.pose.x, w.motion.pose.y));
    // Off the grid counts as blocked; without clipping the band still holds.
    EXPECT_TRUE(ViewerMotion::blocked(w.scene.map, 0x4000, 0x4000));
    w.motion.clip = false;
    w.motion.pose.angle = 180;
    w.walk(20000);
    EXPECT_EQ(w.motion.pose.x, kViewerMin);
}

TEST(WorldPick, RowsOfTheHorizonWallsAndTheMapEdge) {
    WorldScene s;
    s.wall(14, 20, 1);
    s.build();
    s.render(10.5, 20.5, 0);
    const ViewerPose pose{int32_t(10.5 * 65536), int32_t(20.5 * 65536), 0};
    struct Case {
        int px, py;
        WorldPick pick;
    };
    for (const Case& c :
         {Case{300, kCenterRow, {PickKind::Wall, 14, 20}},
          Case{300, 374, {PickKind::Floor, 11, 20}}, Case{300, 0, {PickKind::Ceiling, 11, 20}},
          Case{-1, 200, {}}, Case{600, 200, {}}}) {
        SCOPED_TRACE(c.py);
        EXPECT_EQ(pickAt(*s.frame, pose, c.px, c.py), c.pick);
    }
    // In an open map the centre row's ceiling divisor is negative: no cell behind the viewer.
    s.wall(14, 20, 0);
    s.build();
    s.render(10.5, 20.5, 0);
    EXPECT_EQ(pickAt(*s.frame, pose, 300, kCenterRow).kind, PickKind::None);
    EXPECT_EQ(pickAt(*s.frame, pose, 300, kCenterRow - 1).kind, PickKind::None); // off the map
    EXPECT_EQ(pickAt(*s.frame, pose, 300, kCenterRow + 20).kind, PickKind::Floor);
}

TEST(WorldEdit, DoorsMarkTheirSidesAlsoAtTheMapsEdge) {
    WorldScene s;
    for (auto [x, y] : {std::pair{20, 29}, {20, 31}, {0, 1}, {63, 62}, {62, 63}})
        s.wall(x, y, 1);
    s.build();
    const WorldEditRules rules;
    struct Case {
        int x, y;
        uint16_t door;
        int sx, sy; // the side wall inside the map
    };
    for (const Case& c :
         {Case{20, 30, 90, 20, 31}, Case{0, 0, 90, 0, 1}, Case{63, 63, 91, 62, 63}}) {
        const WorldPick pick{PickKind::Floor, c.x, c.y};
        auto ch = applyWorldEdit(s.level, s.map, s.symbols.objects, pick, WorldEditPlane::Walls,
                                 c.door, FloorMode::None, rules);
        EXPECT_EQ(ch, (CellChanges{{0, uint16_t(c.y * 64 + c.x), 0, c.door}}));
        EXPECT_EQ(s.map.tile(c.sx, c.sy), 1 | kTileDoorSide);
        // A wall over the door takes the marks away again; with doors locked nothing changes.
        EXPECT_TRUE(applyWorldEdit(s.level, s.map, s.symbols.objects, {PickKind::Wall, c.x, c.y},
                                   WorldEditPlane::Walls, 2, FloorMode::None, {true, false})
                        .empty());
        applyWorldEdit(s.level, s.map, s.symbols.objects, {PickKind::Wall, c.x, c.y},
                       WorldEditPlane::Walls, 2, FloorMode::None, rules);
        EXPECT_EQ(s.map.tile(c.sx, c.sy), 1);
    }
}

TEST(WorldEdit, PushwallsObjectsAndFlatBytes) {
    WorldScene s;
    s.wall(5, 5, 1);
    s.object(5, 5, kDefaultPushwall);
    s.build();
    EXPECT_EQ(s.map.tile(5, 5), kTilePushwall | 1);
    placeWall(s.level, s.map, s.symbols.objects, 5, 5, 3, {false, true});
    s.map.rescan(s.level, 5, 5);
    EXPECT_EQ(s.map.tile(5, 5), kTilePushwall | 3); // locked: only the texture changed
    auto ch = placeWall(s.level, s.map, s.symbols.objects, 5, 5, 4, {});
    EXPECT_EQ(ch, (CellChanges{{0, 5 * 64 + 5, 3, 4}, {1, 5 * 64 + 5, kDefaultPushwall, 0}}));

    EXPECT_EQ(placeObject(s.level, 7, 8, 23), (CellChanges{{1, 8 * 64 + 7, 0, 23}}));
    EXPECT_EQ(setFlatByte(s.level, FloorMode::Colors, 7, 8, true, 0x12),
              (CellChanges{{0, 0, 0, 0x1200}}));
    EXPECT_EQ(setFlatByte(s.level, FloorMode::SingleTexture, 7, 8, false, 0x34),
              (CellChanges{{0, 0, 0x1200, 0x1234}}));
    EXPECT_TRUE(setFlatByte(s.level, FloorMode::PlaneTextures, 7, 8, false, 1).empty());
    EXPECT_TRUE(setFlatByte(s.level, FloorMode::None, 7, 8, false, 1).empty());
    s.level.planes[2].assign(kPlaneWords, 0);
    EXPECT_EQ(setFlatByte(s.level, FloorMode::PlaneTextures, 7, 8, true, 9),
              (CellChanges{{2, 8 * 64 + 7, 0, 0x0900}}));
}

TEST(WorldEdit, AStrokeIsOneStepThatUndoesAndRedoes) {
    WorldScene s;
    const Level before = s.level;
    EditStroke stroke;
    stroke.add(placeObject(s.level, 1, 1, 23));
    stroke.add(placeObject(s.level, 2, 1, 23));
    stroke.add(placeObject(s.level, 1, 1, 24));
    EXPECT_EQ(stroke.changes(),
              (CellChanges{{1, 65, 0, 24}, {1, 66, 0, 23}})); // first before, last after
    const Level after = s.level;
    stroke.undo(s.level);
    EXPECT_EQ(s.level.planes, before.planes);
    stroke.redo(s.level);
    EXPECT_EQ(s.level.planes, after.planes);
}

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
