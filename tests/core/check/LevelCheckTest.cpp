// One crafted level per rule, each with the exact problem it must give.
#include "CheckFixture.h"

#include "app/ExtensionTable.h"

#include <functional>

namespace zentrik::test {
namespace {

constexpr uint16_t kWall = 1, kFloor = 108, kSwitch = 21, kStart = 19, kGuard = 108,
                   kHardGuard = 180, kPuddle = 23, kBarrel = 24, kCross = 52, kGoldKey = 43,
                   kPushwall = 98, kDoorV = 90, kGoldDoorV = 92, kSilverDoorV = 94;

// Walls round the edge, area-1 floor inside, the start at 5,5 and the exit switch on the west
// edge beside it: a level without problems.
struct CraftedLevel {
    Level level = Level::blank(false);
    CraftedLevel() {
        for (int y = 0; y < kMapSide; ++y)
            for (int x = 0; x < kMapSide; ++x) {
                const bool edge = x == 0 || y == 0 || x == kMapSide - 1 || y == kMapSide - 1;
                wall(x, y, edge ? kWall : kFloor);
                object(x, y, 0);
            }
        object(5, 5, kStart);
        wall(0, 5, kSwitch);
    }
    void wall(int x, int y, uint16_t v) { level.planes[0][size_t(y * kMapSide + x)] = v; }
    void object(int x, int y, uint16_t v) { level.planes[1][size_t(y * kMapSide + x)] = v; }
    // n objects from row 10 on, 50 a row.
    void many(int n, uint16_t v, int firstRow = 10) {
        for (int i = 0; i < n; ++i)
            object(2 + i % 50, firstRow + i / 50, v);
    }
    // A closed room of walls round (x, y).
    void room(int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy)
                    wall(x + dx, y + dy, kWall);
    }
};

LevelCheckResult check(const Level& level, const std::string& profile = "dos") {
    return checkLevel(level,
                      CheckRules{shippedSymbols("Wolfenstein 3D"), *engineProfileById(profile)});
}

struct Expected {
    Severity severity;
    int x, y;
};

struct RuleCase {
    const char* name;
    const char* rule;
    std::function<void(CraftedLevel&)> edit;
    std::vector<Expected> expected;
};

const std::vector<RuleCase>& ruleCases() {
    using S = Severity;
    static const std::vector<RuleCase> cases{
        {"150ActorsOverflowAtThe150th",
         "actors-limit",
         [](auto& l) { l.many(150, kGuard); },
         {{S::Error, 2 + 149 % 50, 10 + 149 / 50}}},
        {"149ActorsFit", "actors-limit", [](auto& l) { l.many(149, kGuard); }, {}},
        {"HardSkillActorCountsOnlyThere",
         "actors-limit",
         [](auto& l) {
             l.many(149, kGuard);
             l.object(40, 40, kHardGuard);
         },
         {{S::Error, 40, 40}}},
        {"400StaticsOverflow",
         "statics-limit",
         [](auto& l) { l.many(400, kPuddle); },
         {{S::Error, 2 + 399 % 50, 10 + 399 / 50}}},
        {"StaticsAndDropsWarn",
         "statics-limit",
         [](auto& l) {
             l.many(390, kPuddle);
             l.many(10, kGuard, 30);
         },
         {{S::Warning, -1, -1}}},
        {"65DoorsOverflow",
         "doors-limit",
         [](auto& l) {
             for (int i = 0; i < 65; ++i)
                 l.wall(2 + i % 30 * 2, 20 + i / 30 * 3, kDoorV);
         },
         {{S::Error, 2 + 64 % 30 * 2, 20 + 64 / 30 * 3}}},
        {"NoStart", "no-start", [](auto& l) { l.object(5, 5, 0); }, {{S::Error, -1, -1}}},
        {"TwoStartsNameTheSecond",
         "many-starts",
         [](auto& l) { l.object(7, 7, kStart); },
         {{S::Error, 7, 7}}},
        {"StartInAWall",
         "start-not-floor",
         [](auto& l) { l.wall(5, 5, kWall); },
         {{S::Error, 5, 5}}},
        {"NoSwitchNoTrigger",
         "no-exit",
         [](auto& l) { l.wall(0, 5, kWall); },
         {{S::Warning, -1, -1}}},
        {"TriggerIsAnExit",
         "no-exit",
         [](auto& l) {
             l.wall(0, 5, kWall);
             l.object(9, 9, 99);
         },
         {}},
        {"DoorWithoutWalls",
         "door-sides",
         [](auto& l) { l.wall(20, 20, kDoorV); },
         {{S::Warning, 20, 20}}},
        {"DoorBetweenWalls",
         "door-sides",
         [](auto& l) {
             l.wall(20, 20, kDoorV);
             l.wall(20, 19, kWall);
             l.wall(20, 21, kWall);
         },
         {}},
        {"FloorOnTheEdge",
         "open-edge",
         [](auto& l) { l.wall(30, 63, kFloor); },
         {{S::Error, 30, 63}}},
        {"DoorOnTheEdge",
         "open-edge",
         [](auto& l) { l.wall(63, 30, kDoorV); },
         {{S::Error, 63, 30}}},
        {"PushwallOnFloor",
         "pushwall-not-wall",
         [](auto& l) { l.object(12, 12, kPushwall); },
         {{S::Warning, 12, 12}}},
        {"PushwallWalledIn",
         "pushwall-blocked",
         [](auto& l) {
             l.room(12, 12);
             l.wall(12, 12, kWall);
             l.wall(12, 13, kFloor);
             l.object(12, 12, kPushwall);
         },
         {{S::Warning, 12, 12}}},
        {"PushwallWithRoomBehind",
         "pushwall-blocked",
         [](auto& l) {
             l.wall(12, 12, kWall);
             l.object(12, 12, kPushwall);
         },
         {}},
        {"GuardInAWall",
         "object-in-wall",
         [](auto& l) {
             l.wall(14, 14, kWall);
             l.object(14, 14, kGuard);
         },
         {{S::Warning, 14, 14}}},
        {"BarrelInAWall",
         "object-in-wall",
         [](auto& l) {
             l.wall(14, 14, kWall);
             l.object(14, 14, kBarrel);
         },
         {{S::Warning, 14, 14}}},
        {"GuardOnCodeZero",
         "no-area",
         [](auto& l) {
             l.wall(16, 16, 0);
             l.object(16, 16, kGuard);
         },
         {{S::Error, 16, 16}}},
        {"GuardOnAmbushMarker",
         "no-area",
         [](auto& l) {
             l.wall(16, 16, 106);
             l.object(16, 16, kGuard);
         },
         {}},
        {"TreasureInAClosedRoom",
         "unreachable",
         [](auto& l) {
             l.room(40, 40);
             l.object(40, 40, kCross);
         },
         {{S::Warning, 40, 40}}},
        {"GoldDoorOpensWithTheKey",
         "unreachable",
         [](auto& l) {
             l.room(40, 40);
             l.wall(39, 40, kGoldDoorV);
             l.object(40, 40, kCross);
             l.object(8, 8, kGoldKey);
         },
         {}},
        {"ExitBehindASilverDoor",
         "unreachable",
         [](auto& l) {
             l.wall(0, 5, kWall);
             l.room(40, 40);
             l.wall(39, 40, kSilverDoorV);
             l.wall(41, 40, kSwitch);
             l.wall(42, 40, kWall);
         },
         {{S::Warning, 41, 40}}},
        {"KeyWithoutItsDoor",
         "key-unused",
         [](auto& l) { l.object(8, 8, kGoldKey); },
         {{S::Warning, 8, 8}}},
        {"UndescribedObject",
         "unknown-object",
         [](auto& l) { l.object(9, 9, 300); },
         {{S::Info, 9, 9}}},
    };
    return cases;
}

class RuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(RuleTest, GivesExactlyTheExpectedProblems) {
    CraftedLevel l;
    GetParam().edit(l);
    std::vector<Expected> found;
    for (const LevelProblem& p : check(l.level).problems)
        if (p.rule == GetParam().rule) {
            found.push_back({p.severity, p.x, p.y});
            EXPECT_FALSE(p.message.empty());
        }
    ASSERT_EQ(found.size(), GetParam().expected.size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].severity, GetParam().expected[i].severity);
        EXPECT_EQ(found[i].x, GetParam().expected[i].x);
        EXPECT_EQ(found[i].y, GetParam().expected[i].y);
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, RuleTest, testing::ValuesIn(ruleCases()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(LevelCheck, CraftedLevelIsClean) {
    EXPECT_TRUE(check(CraftedLevel().level).problems.empty());
}

TEST(LevelCheck, MessagesGiveCountAndLimit) {
    CraftedLevel l;
    l.many(151, kGuard);
    const LevelCheckResult r = check(l.level);
    ASSERT_FALSE(r.problems.empty());
    EXPECT_EQ(r.problems[0].message,
              "Too many actors: 151 on skill 4, 151 on skill 3, 151 on skill 2, 151 on skill 1; "
              "the DOS game holds 149 besides the player and quits with \"GetNewActor: No free "
              "spots in objlist!\"");
}

TEST(LevelCheck, NoLimitsProfileHasNoLimits) {
    CraftedLevel l;
    l.many(450, kGuard);
    for (const LevelProblem& p : check(l.level, "unlimited").problems)
        EXPECT_NE(p.severity, Severity::Error) << p.rule;
}

TEST(LevelCheck, CountsPerSkill) {
    CraftedLevel l;
    l.object(10, 10, kGuard);     // every skill
    l.object(11, 10, 144);        // medium guard: skills 3 and 4
    l.object(12, 10, kHardGuard); // skill 4
    l.object(13, 10, 214);        // Hans: every skill, a boss
    l.object(14, 10, 124);        // the dead guard takes a slot but is no kill
    l.object(15, 10, kCross);
    l.wall(20, 20, kWall);
    l.object(20, 20, kPushwall);
    const LevelCounts c = check(l.level).counts;
    EXPECT_EQ(c.enemies, (std::array<int, 4>{2, 2, 3, 4}));
    EXPECT_EQ(c.actors, (std::array<int, 4>{3, 3, 4, 5}));
    EXPECT_EQ(c.statics, 1);
    EXPECT_EQ(c.treasures, 1);
    EXPECT_EQ(c.secrets, 1);
}

TEST(LevelCheck, ErrorsComeFirst) {
    CraftedLevel l;
    l.wall(20, 20, kDoorV); // warning
    l.wall(30, 63, kFloor); // error
    const auto problems = check(l.level).problems;
    ASSERT_GE(problems.size(), 2u);
    EXPECT_EQ(problems[0].rule, "open-edge");
}

TEST(LevelCheck, LevelWithoutPlanesGivesNothing) {
    Level empty;
    EXPECT_TRUE(check(empty).problems.empty());
}

TEST(LevelCheck, SetWithoutDescriptionsSaysSoOnce) {
    SymbolSet bare;
    applySymbolSetDefaults(bare);
    EXPECT_EQ(unknownDescriptions(bare).size(), 7u);
    EXPECT_EQ(problemCountText(2, 5), "2 errors, 5 warnings");
    EXPECT_EQ(problemCountText(1, 1), "1 error, 1 warning");
}

TEST(LevelCheckInfo, ParsesGroupsAndRefusesBadLines) {
    LevelCheckInfo info;
    const auto bad =
        parseLevelCheckInfo("blocking 24 30-32 ; c\nkey 2 44\nbogus 1\nareas 9-8\n", info);
    EXPECT_EQ(bad, (std::vector<int>{3, 4}));
    EXPECT_EQ(info.blocking, (std::set<uint16_t>{24, 30, 31, 32}));
    EXPECT_EQ(info.keys.at(44), 2);
    EXPECT_FALSE(info.describes("areas"));
}

} // namespace
} // namespace zentrik::test

namespace zentrik::test {
namespace {

TEST(LevelCheck, SpearSetIsDescribedAndTheSpearIsAWayOut) {
    const SymbolSet& spear = shippedSymbols("Spear of Destiny");
    EXPECT_TRUE(unknownDescriptions(spear).empty());
    Level level = Level::blank(false);
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const bool edge = x == 0 || y == 0 || x == kMapSide - 1 || y == kMapSide - 1;
            level.planes[0][size_t(y * kMapSide + x)] = edge ? 1 : 108;
        }
    level.planes[1][5 * kMapSide + 5] = 19;
    level.planes[1][9 * kMapSide + 9] = 74; // the Spear
    EXPECT_TRUE(checkLevel(level, CheckRules{spear}).problems.empty());
}

TEST(EngineProfile, StoredAsTheExtensionRecordsFourthField) {
    const ParsedExtensions p = parseExtensions("WL6,Wolfenstein 3D,Wolfenstein3D,unlimited\n"
                                               "SOD,Spear of Destiny,Pal,with,comma\n#\n");
    ASSERT_EQ(p.records.size(), 2u);
    EXPECT_EQ(p.records[0].palette, "Wolfenstein3D");
    EXPECT_EQ(p.records[0].engineProfile, "unlimited");
    EXPECT_EQ(p.records[1].palette, "Pal,with,comma");
    EXPECT_EQ(p.records[1].engineProfile, "");
    EXPECT_EQ(formatExtensions(p.records), "WL6,Wolfenstein 3D,Wolfenstein3D,unlimited\n"
                                           "SOD,Spear of Destiny,Pal,with,comma\n#\n");
    EXPECT_EQ(engineProfileById("dos")->maxStatics, 399);
    EXPECT_FALSE(engineProfileById("fast"));
}

} // namespace
} // namespace zentrik::test
