// The map clipboard block, the page's commands and the level statistics.
#include "MapTestFixture.h"

#include "maps/LevelStatistics.h"
#include "maps/MapCommands.h"

namespace zentrik::test {
namespace {

struct OneLevel : MapFixture {
    MapCommands commands{editor, prompter};
    OneLevel() {
        set.levels.push_back(Level::blank(false));
        set.levels[0].planes[0] = patternPlane(1);
        set.levels[0].planes[1] = patternPlane(2);
        set.mapsLoaded = true;
    }
    Plane& walls() { return set.levels[0].planes[0]; }
    Plane& objects() { return set.levels[0].planes[1]; }
};

TEST(MapClipboard, CopyPacksRowsAndTheBlockIsByteExact) {
    OneLevel l;
    auto b = l.commands.copy(MapSelection{5, 3, 2, 1}); // corners in any order
    ASSERT_TRUE(b);
    EXPECT_EQ(b->width, 3);
    EXPECT_EQ(b->height, 2);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(b->walls[size_t(k)], l.walls()[size_t((1 + k / 3) * 64 + 2 + k % 3)]);
    const auto bytes = encodeMapClip(*b);
    ASSERT_EQ(bytes.size(), 24580u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[2], 2);
    EXPECT_EQ(bytes[4] | (bytes[5] << 8), b->walls[0]);
    EXPECT_EQ(bytes[8196] | (bytes[8197] << 8), b->objects[0]);
    EXPECT_TRUE(std::all_of(bytes.begin() + 16388, bytes.end(), [](uint8_t v) { return v == 0; }));
    auto back = decodeMapClip(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->walls, b->walls);
    EXPECT_FALSE(decodeMapClip(std::span(bytes).first(24579)));
    auto huge = bytes;
    huge[0] = huge[2] = 65;
    EXPECT_FALSE(decodeMapClip(huge));
    EXPECT_FALSE(l.commands.copy(MapSelection{4, 4, 4, 9}));
    EXPECT_FALSE(l.set.mapsModified);
}

TEST(MapCommands, ClearInitAndTestMaps) {
    OneLevel l;
    l.prompter.expectQuestion(Answer::Cancel);
    EXPECT_FALSE(l.commands.clearMap());
    EXPECT_EQ(l.walls(), patternPlane(1));
    l.prompter.expectQuestion(Answer::Ok);
    EXPECT_TRUE(l.commands.clearMap());
    EXPECT_EQ(l.walls(), Plane(kPlaneWords, 0));
    EXPECT_EQ(l.prompter.questions[0].text, "Do you really want to clear this map?");

    l.set.mapsModified = false;
    l.prompter.expectQuestion(Answer::Ok);
    ASSERT_TRUE(l.commands.initMap(108, 1));
    EXPECT_EQ(l.prompter.questions[2].text,
              "Do you really want to initialize your map? This erases your map!");
    EXPECT_TRUE(l.set.mapsModified);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool ring = x == 0 || y == 0 || x == 63 || y == 63;
            ASSERT_EQ(l.walls()[size_t(y * 64 + x)], ring ? 1 : 108) << x << "," << y;
        }
    EXPECT_EQ(l.objects(), Plane(kPlaneWords, 0));

    l.set.mapsModified = false;
    ASSERT_TRUE(l.commands.makeWallTestMap());
    EXPECT_TRUE(l.set.mapsModified);
    EXPECT_EQ(l.walls()[0], 0);
    EXPECT_EQ(l.walls()[63], 63);
    EXPECT_EQ(l.walls()[64], 64);
    EXPECT_EQ(l.walls()[8 * 64], 0);
    ASSERT_TRUE(l.commands.makeObjectTestMap());
    EXPECT_EQ(l.walls(), Plane(kPlaneWords, 0));
    EXPECT_EQ(l.objects()[511], 511);
    EXPECT_EQ(l.objects()[512], 0);
}

TEST(LevelStatistics, CountsAndColours) {
    ObjectDescriptionTable t;
    t.objects[19] = {0, kObjectPlayerStart, 0, 0};
    t.objects[23] = {2, kObjectStatic, 0, 0};
    t.objects[47] = {21, kObjectStatic, 3, 0};
    t.objects[108] = {50, kObjectActor, 0, 1};
    t.objects[144] = {50, kObjectActor, 0, 3};
    t.objects[214] = {300, kObjectBoss, 0, kBossDifficulty};
    t.objects[90] = {0, kObjectDirectionMark, 0, 0};
    t.objects[98] = {0, kObjectPushwall, 0, 0};
    t.doors.push_back(DoorDescription{90, -7, true, 1, -6});
    Level l = Level::blank(false);
    const uint16_t objs[] = {19, 19, 23, 47, 47, 108, 144, 214, 90, 98, 1};
    for (size_t i = 0; i < std::size(objs); ++i)
        l.planes[1][i] = objs[i];
    for (int i = 0; i < 64; ++i)
        l.planes[0][size_t(i)] = 90;
    LevelStatistics s = countLevel(l, t);
    EXPECT_EQ(s.players, 2);
    EXPECT_EQ(s.playersColor(), kStatBad);
    EXPECT_EQ(s.statics, 3);
    EXPECT_EQ(s.ammo, 2);
    EXPECT_EQ(s.shoots, 6);
    EXPECT_EQ(s.guards, 3);
    EXPECT_EQ(s.bosses, 1);
    EXPECT_EQ(s.byDifficulty[1], 1);
    EXPECT_EQ(s.byDifficulty[3], 1);
    EXPECT_EQ(s.directionMarks, 1);
    EXPECT_EQ(s.secrets, 1);
    EXPECT_EQ(s.objects, 10);
    EXPECT_EQ(s.doors, 64);
    EXPECT_EQ(s.doorsColor(), kStatGood);
    l.planes[0][64] = 90;
    EXPECT_EQ(countLevel(l, t).doorsColor(), kStatBad);
    for (int i = 0; i < 401; ++i)
        l.planes[1][size_t(i)] = 23;
    EXPECT_EQ(countLevel(l, t).staticsColor(), kStatBad);
}

} // namespace
} // namespace zentrik::test
