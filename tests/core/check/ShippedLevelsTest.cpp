// Every shipped level loads and plays, so an error on one of them is a fault of the check,
// unless the level really has it: E1M3 leaves the floor cell 7,63 on the map's bottom edge
// (harmless only because the cell past it in memory happens to be the next column's wall).
#include "../maps/MapTestFixture.h"
#include "CheckFixture.h"

namespace zentrik::test {
namespace {

TEST(ShippedLevels, ShareWareLevelsGiveOnlyTheirKnownProblems) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    dir.copyGameFile("wl1/MAPHEAD.WL1");
    MapFixture f;
    ASSERT_TRUE(f.load(dir.copyGameFile("wl1/GAMEMAPS.WL1")));
    const SymbolSet& symbols = shippedSymbols("Wolfenstein 3D");
    ASSERT_EQ(f.set.levelCount(), 10);
    std::vector<std::string> found;
    std::array<int, 10> enemiesHard{}, secrets{}, treasures{};
    for (int i = 0; i < f.set.levelCount(); ++i) {
        const LevelCheckResult r = checkLevel(f.set.levels[size_t(i)], CheckRules{symbols});
        for (const LevelProblem& p : r.problems)
            found.push_back(std::to_string(i) + " " + p.rule + " " + severityName(p.severity) +
                            " " + std::to_string(p.x) + "," + std::to_string(p.y));
        enemiesHard[size_t(i)] = r.counts.enemies[3];
        secrets[size_t(i)] = r.counts.secrets;
        treasures[size_t(i)] = r.counts.treasures;
    }
    // E1M2: 344 statics and 72 dropping actors on skill 4 can pass 399 if nothing is picked up.
    EXPECT_EQ(found, (std::vector<std::string>{"1 statics-limit warning -1,-1",
                                               "2 open-edge error 7,63"}));
    EXPECT_EQ(enemiesHard, (std::array<int, 10>{37, 82, 73, 93, 109, 70, 68, 59, 1, 81}));
    EXPECT_EQ(secrets, (std::array<int, 10>{5, 4, 10, 7, 5, 4, 2, 13, 2, 15}));
    EXPECT_EQ(treasures, (std::array<int, 10>{23, 62, 66, 40, 73, 41, 18, 18, 1, 120}));
    EXPECT_TRUE(unknownDescriptions(symbols).empty());
}

} // namespace
} // namespace zentrik::test
