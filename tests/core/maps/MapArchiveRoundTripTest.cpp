// The shareware maps through the reader and the writer, with every compression setting.
#include "MapTestFixture.h"

#include "maps/MapArchiveReader.h"

#include <random>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

void expectSameLevels(const LevelSet& a, const LevelSet& b) {
    ASSERT_EQ(a.levelCount(), b.levelCount());
    for (int i = 0; i < a.levelCount(); ++i) {
        const Level& x = a.levels[size_t(i)];
        const Level& y = b.levels[size_t(i)];
        EXPECT_EQ(x.header.nameText(), y.header.nameText()) << i;
        EXPECT_EQ(x.header.width, y.header.width);
        EXPECT_EQ(x.header.height, y.header.height);
        EXPECT_EQ(x.header.spare, y.header.spare);
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(x.planes[size_t(p)], y.planes[size_t(p)]) << "level " << i << " plane " << p;
    }
}

TEST(MapArchiveRoundTrip, SharewareMapsReadAsTheGameHasThem) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    MapFixture f;
    ASSERT_TRUE(f.load(wl1.maps));
    EXPECT_EQ(f.set.levelCount(), 10);
    EXPECT_EQ(f.set.rlewTag, 0xABCD);
    EXPECT_TRUE(f.set.carmack);
    EXPECT_FALSE(f.set.thirdPlane);
    EXPECT_EQ(f.set.levels[0].header.nameText(), "Wolf1 Map1");
    EXPECT_EQ(f.set.levels[0].header.planeLength[0], 1434);
    EXPECT_EQ(f.set.levels[0].header.planeLength[1], 795);
    EXPECT_EQ(f.selected, std::vector<std::string>{"WL1"});
    EXPECT_EQ(f.files.headerPath(), wl1.head);
    EXPECT_TRUE(f.prompter.messages.empty());
}

TEST(MapArchiveRoundTrip, EveryCompressionSettingKeepsEveryPlaneNameAndHeader) {
    ZENTRIK_REQUIRE_GAMEDATA();
    struct Case {
        int compress, mode;
        bool carmack;
    } cases[] = {{1, 0, true}, {0, 1, true}, {2, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.compress * 10 + c.mode);
        Wl1Copy wl1;
        MapFixture f;
        ASSERT_TRUE(f.load(wl1.maps));
        const LevelSet original = f.set;
        const auto oldMaps = readBytes(wl1.maps);
        f.settings.carmackCompress = c.compress;
        f.settings.carmackMode = c.mode;
        if (!c.carmack) // the GAMEMAPS name is questioned: keep it
            f.prompter.expectQuestion(Answer::No);
        ASSERT_TRUE(f.files.saveMaps(wl1.maps));
        EXPECT_EQ(readBytes(wl1.dir / "GAMEMAPS.WL1.bak"), oldMaps);
        EXPECT_FALSE(fs::exists(wl1.dir / "GAMEMAPS.WL1.tmp"));
        // The full table the game reads, as the game's own file has it.
        EXPECT_EQ(fs::file_size(wl1.head), 402u);
        // A second save writes the same bytes, and the backups still hold the files as they
        // were before the first.
        const auto first = readBytes(wl1.maps), firstHead = readBytes(wl1.head);
        if (!c.carmack)
            f.prompter.expectQuestion(Answer::No);
        ASSERT_TRUE(f.files.saveMaps(wl1.maps));
        EXPECT_EQ(readBytes(wl1.maps), first);
        EXPECT_EQ(readBytes(wl1.head), firstHead);
        EXPECT_EQ(readBytes(wl1.dir / "GAMEMAPS.WL1.bak"), oldMaps);
        EXPECT_EQ(readBytes(wl1.dir / "MAPHEAD.WL1.bak"), readGameFile("wl1/MAPHEAD.WL1"));

        MapFixture g;
        g.settings.carmackExpand = c.carmack ? 1 : 2;
        ASSERT_TRUE(g.load(wl1.maps));
        expectSameLevels(original, g.set);
    }
}

TEST(MapArchiveRoundTrip, LostHeaderIsRestoredFromTheMapFile) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    fs::remove(wl1.head);
    MapFixture f;
    f.prompter.expectPath(std::nullopt); // the header dialog is cancelled
    f.prompter.expectQuestion(Answer::Yes);
    ASSERT_TRUE(f.load(wl1.maps));
    ASSERT_EQ(f.prompter.questions.size(), 1u);
    EXPECT_EQ(f.prompter.questions[0].text, "Should I try to restore the maphead-file ?");
    EXPECT_EQ(f.set.levelCount(), 10);
    EXPECT_EQ(f.set.levels[9].header.nameText(), "Wolf1 Secret");
    ASSERT_EQ(f.prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(f.prompter.fileDialogs[0].filter, kMapheadFilter);

    MapFixture g;
    g.prompter.expectPath(std::nullopt);
    g.prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(g.load(wl1.maps));
    EXPECT_FALSE(g.set.mapsLoaded);
}

TEST(MapArchiveRoundTrip, EveryPrefixAndRandomFlipsEndCleanly) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto maps = readGameFile("wl1/GAMEMAPS.WL1");
    const auto head = readGameFile("wl1/MAPHEAD.WL1");
    MapReadOptions o;
    auto run = [&](std::span<const uint8_t> h, std::span<const uint8_t> m) {
        ScriptedPrompter p;
        InlineProgress progress;
        LevelSet set;
        const int code = LoadMapsWorker(progress, h, m, o, set, p);
        if (code == JobResult::Done) {
            for (const Level& l : set.levels)
                EXPECT_EQ(l.planes[1].size(), size_t(kPlaneWords));
        } else {
            ASSERT_EQ(p.messages.size(), 1u);
            const std::string& t = p.messages[0].text;
            EXPECT_TRUE(t == "The map header does not point to any maps!" ||
                        t.rfind("The file is not a map file: it does not start with", 0) == 0)
                << t;
        }
    };
    for (size_t n = 0; n <= maps.size(); n += 97)
        run(head, std::span(maps).first(n));
    for (size_t n = 0; n <= head.size(); ++n)
        run(std::span(head).first(n), maps);
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        auto m = maps;
        auto h = head;
        for (int k = 0; k < 40; ++k)
            m[rng() % m.size()] ^= uint8_t(1u << (rng() % 8));
        h[rng() % h.size()] ^= uint8_t(1u << (rng() % 8));
        run(h, m);
    }
}

} // namespace
} // namespace zentrik::test
