// maps check end to end: the shipped set, one level, a level broken on purpose, bad arguments.
#include "../core/maps/MapTestFixture.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

struct Maps {
    TempDir dir;
    Maps() {
        dir.copyGameFile("wl1/MAPHEAD.WL1");
        dir.copyGameFile("wl1/GAMEMAPS.WL1");
    }
    std::string maps() const { return q(dir / "GAMEMAPS.WL1"); }
    CliResult run(const std::string& args) const { return runCli(args, dir.path().string()); }
};

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(CliLevelCheck, ShippedSetHasOnlyTheOpenEdgeOfE1M3) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Maps m;
    const CliResult r = m.run("maps check " + m.maps() + " --json");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(count(r.out, "{\"level\":"), 10u);
    EXPECT_EQ(count(r.out, "\"severity\":\"error\""), 1u);
    EXPECT_NE(r.out.find("{\"level\":2,\"name\":\"Wolf1 Map3\",\"problems\":[{\"rule\":\"open-"
                         "edge\",\"severity\":\"error\",\"x\":7,\"y\":63,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"counts\":{\"enemies\":[11,11,"), std::string::npos);
}

TEST(CliLevelCheck, OneCleanLevelExitsZero) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Maps m;
    const CliResult r = m.run("maps check " + m.maps() + " 0");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("level 0 \"Wolf1 Map1\": No problems\n", 0), 0u) << r.out;
}

TEST(CliLevelCheck, BrokenLevelIsFound) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Maps m;
    {
        MapFixture f;
        ASSERT_TRUE(f.load(m.dir / "GAMEMAPS.WL1"));
        Plane& objects = f.set.levels[0].planes[1];
        for (uint16_t& v : objects)
            if (v >= 19 && v <= 22)
                v = 0;                       // no player start
        f.set.levels[0].planes[0][10] = 108; // floor on the top edge at 10,0
        ASSERT_TRUE(f.files.saveMaps(m.dir / "GAMEMAPS.WL1"));
    }
    const CliResult r = m.run("maps check " + m.maps() + " 0 --json");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("{\"rule\":\"no-start\",\"severity\":\"error\",\"x\":-1,\"y\":-1,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("{\"rule\":\"open-edge\",\"severity\":\"error\",\"x\":10,\"y\":0,"),
              std::string::npos);
    // Without limits the limits are gone, the placement errors stay.
    EXPECT_EQ(m.run("maps check " + m.maps() + " 0 --profile unlimited").exitCode, 1);
}

TEST(CliLevelCheck, BadArguments) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Maps m;
    EXPECT_EQ(m.run("maps check " + m.maps() + " --profile fast").exitCode, 2);
    EXPECT_EQ(m.run("maps check " + m.maps() + " x").exitCode, 2);
    const CliResult r = m.run("maps check " + m.maps() + " 10");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("This level doesn't exist!"), std::string::npos);
    EXPECT_EQ(m.run("maps check " + q(m.dir / "NONE.WL1")).exitCode, 1);
}

} // namespace
