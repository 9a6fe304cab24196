// Files the map loader meets in the field: RLEW-only planes under a GAMEMAPS name, files that
// are no map files at all, and what the saver writes for them.
#include "MapTestFixture.h"

#include "io/ByteReader.h"
#include "io/SafeFile.h"
#include "maps/MapArchiveReader.h"
#include "maps/MapArchiveWriter.h"

#include <random>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> rlewBlock(std::vector<uint16_t> words) {
    std::vector<uint8_t> b;
    for (uint16_t w : words)
        b.push_back(uint8_t(w)), b.push_back(uint8_t(w >> 8));
    return b;
}

TEST(MapArchiveFaults, AnRlewOnlyPlaneIsKnownByItsContent) {
    struct Case {
        const char* what;
        std::vector<uint16_t> words;
        bool rlewOnly;
    } cases[] = {
        {"one run fills the plane", {8192, 0xABCD, 4096, 0}, true},
        {"two runs and a word", {8192, 0xABCD, 4000, 1, 0xABCD, 95, 2, 3}, true},
        {"first word not the plane size", {8190, 0xABCD, 4096, 0}, false},
        {"one word short", {8192, 0xABCD, 4095, 0}, false},
        {"a run past the plane", {8192, 0xABCD, 4097, 0}, false},
        {"bytes after the plane", {8192, 0xABCD, 4096, 0, 7}, false},
        {"a tag without its run", {8192, 0xABCD, 4096}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isRlewOnlyPlane(rlewBlock(c.words), 0xABCD), c.rlewOnly) << c.what;
}

TEST(MapArchiveFaults, NoCarmackPlaneOfTheShareWareMapsLooksRlewOnly) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto map = readGameFile("wl1/GAMEMAPS.WL1");
    const auto head = readGameFile("wl1/MAPHEAD.WL1");
    for (int i = 0; i < 10; ++i) {
        const auto h = *LevelHeader::read(
            std::span(map).subspan(size_t(loadLe32(head.data() + 2 + 4 * i)), 40));
        for (int p = 0; p < 3; ++p)
            EXPECT_FALSE(isRlewOnlyPlane(
                std::span(map).subspan(size_t(h.planeStart[size_t(p)]), h.planeLength[size_t(p)]),
                0xABCD))
                << i << " " << p;
    }
}

// Saved without Carmack under the GAMEMAPS name (answering No), the set loads again on "Auto".
TEST(MapArchiveFaults, RlewOnlyGamemapsLoadsOnAutoAndSavesAsItWas) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    MapFixture f;
    ASSERT_TRUE(f.load(wl1.maps));
    f.settings.carmackCompress = 2;
    f.prompter.expectQuestion(Answer::No);
    ASSERT_TRUE(f.files.saveMaps(wl1.maps));
    ASSERT_EQ(f.prompter.questions.size(), 1u);
    EXPECT_NE(f.prompter.questions[0].text.find("Save the maps as MAPTEMP.WL1 instead"),
              std::string::npos);
    const auto rlewOnly = readBytes(wl1.maps);

    MapFixture g; // Auto, the GAMEMAPS name: Carmack expected
    ASSERT_TRUE(g.load(wl1.maps));
    EXPECT_TRUE(g.prompter.messages.empty());
    EXPECT_FALSE(g.set.carmack);
    for (int i = 0; i < 10; ++i)
        for (int p = 0; p < 2; ++p)
            EXPECT_EQ(g.set.levels[size_t(i)].planes[size_t(p)],
                      f.set.levels[size_t(i)].planes[size_t(p)]);
    // Auto keeps it as it was found (and asks again about the name).
    g.prompter.expectQuestion(Answer::No);
    ASSERT_TRUE(g.files.saveMaps(wl1.maps));
    EXPECT_EQ(readBytes(wl1.maps), rlewOnly);

    MapFixture strict; // "Enable": Carmack is taken at its word, the file is damaged
    strict.settings.carmackExpand = 1;
    strict.prompter.onUnexpected = [](const std::string&) {};
    strict.load(wl1.maps);
    ASSERT_FALSE(strict.prompter.messages.empty());
    EXPECT_EQ(strict.prompter.messages[0].text.rfind("The map file is damaged.", 0), 0u);
}

TEST(MapArchiveFaults, SavingWithoutCarmackToGamemapsAsksFirst) {
    ZENTRIK_REQUIRE_GAMEDATA();
    for (Answer a : {Answer::Yes, Answer::No, Answer::Cancel}) {
        SCOPED_TRACE(int(a));
        Wl1Copy wl1;
        const auto original = readBytes(wl1.maps);
        MapFixture f;
        ASSERT_TRUE(f.load(wl1.maps));
        f.settings.carmackCompress = 2;
        f.prompter.expectQuestion(a);
        EXPECT_EQ(f.files.saveMaps(wl1.maps), a != Answer::Cancel);
        const fs::path maptemp = wl1.dir / "MAPTEMP.WL1";
        EXPECT_EQ(fs::exists(maptemp), a == Answer::Yes);
        EXPECT_EQ(readBytes(wl1.maps) == original, a != Answer::No);
        EXPECT_EQ(f.files.mapPath(), a == Answer::Yes ? maptemp : wl1.maps);
        if (a == Answer::Yes) {
            MapFixture g; // the MAPTEMP name is read as RLEW only
            ASSERT_TRUE(g.load(maptemp));
            EXPECT_TRUE(g.prompter.messages.empty());
            EXPECT_EQ(g.set.levels[3].planes[1], f.set.levels[3].planes[1]);
        }
    }
    // With Carmack, or to another name, nothing is asked (the strict prompter would fail).
    Wl1Copy wl1;
    MapFixture f;
    ASSERT_TRUE(f.load(wl1.maps));
    ASSERT_TRUE(f.files.saveMaps(wl1.maps));
    f.settings.carmackCompress = 2;
    ASSERT_TRUE(f.files.saveMaps(wl1.dir / "MAPTEMP.WL1"));
}

TEST(MapArchiveFaults, RandomBytesAreNotAMapFile) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    std::mt19937 rng(26);
    std::vector<uint8_t> noise(fs::file_size(wl1.maps));
    for (auto& b : noise)
        b = uint8_t(rng());
    writeBytes(wl1.maps, noise);
    MapFixture f;
    f.prompter.onUnexpected = [](const std::string&) {};
    EXPECT_FALSE(f.load(wl1.maps));
    EXPECT_FALSE(f.set.mapsLoaded);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text.rfind(
                  wl1.maps.string() + " is not a map file: it does not start with the TED5v1.0 "
                                      "signature, and no level header is one: level 1's header",
                  0),
              0u)
        << f.prompter.messages[0].text;
}

TEST(MapArchiveFaults, WhyAFileIsNoMapFile) {
    // One level header at offset 8, after a signature that is not the game's.
    auto file = [](uint16_t w, uint16_t h, const char* name, const char* sig = "XXXXXXXX") {
        std::vector<uint8_t> m(sig, sig + 8);
        LevelHeader lh;
        lh.width = w, lh.height = h;
        lh.setName(name);
        const auto b = lh.bytes();
        m.insert(m.end(), b.begin(), b.end());
        return m;
    };
    const std::vector<int32_t> at8{8};
    struct Case {
        const char* what;
        std::vector<uint8_t> map;
        std::vector<int32_t> table;
        std::string reason; // empty: a map file
    } cases[] = {
        {"a plain header", file(64, 64, "Level"), at8, ""},
        {"a small level", file(1, 1, "Tiny"), at8, ""},
        {"too wide", file(65, 64, "Level"), at8, "level 1's header gives a size of 65 x 64 tiles"},
        {"no height", file(64, 0, "Level"), at8, "level 1's header gives a size of 64 x 0 tiles"},
        {"a name with control bytes", file(64, 64, "Le\x01vel"), at8,
         "level 1's header holds a name that is not text"},
        {"no room for the header",
         file(64, 64, "Level"),
         {20},
         "level 1's header at offset 20 leaves no room for its 40 bytes in a file of 48"},
        {"one good header of two", file(64, 64, "Level"), {20, 8}, ""},
        {"the game's signature", file(99, 99, "\x02", "TED5v1.0"), at8, ""},
        {"our signature", file(99, 99, "\x02", "ZK1.27:x"), at8, ""},
    };
    for (const Case& c : cases) {
        const auto reason = notAMapFileReason(c.map, c.table);
        if (c.reason.empty()) {
            EXPECT_FALSE(reason) << c.what << ": " << *reason;
        } else {
            ASSERT_TRUE(reason) << c.what;
            EXPECT_EQ(reason->rfind("it does not start with the TED5v1.0 signature, and no level "
                                    "header is one: " +
                                        c.reason,
                                    0),
                      0u)
                << c.what << ": " << *reason;
        }
    }
}

// The game's own file is damaged here and there: it still loads as far as it goes.
TEST(MapArchiveFaults, ADamagedRealFileStillLoads) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    auto bytes = readBytes(wl1.maps);
    bytes.resize(bytes.size() / 2);
    writeBytes(wl1.maps, bytes);
    MapFixture f;
    f.prompter.onUnexpected = [](const std::string&) {};
    ASSERT_TRUE(f.load(wl1.maps));
    EXPECT_GE(f.set.levelCount(), 4);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text.rfind("The map file is damaged.", 0), 0u);
}

// Without the third plane its slot holds an empty plane of its own, as in the game's files.
TEST(MapArchiveFaults, TheThirdPlaneSlotGetsItsOwnEmptyBlock) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    MapFixture f;
    ASSERT_TRUE(f.load(wl1.maps));
    ASSERT_TRUE(f.files.saveMaps(wl1.maps));
    const auto map = readBytes(wl1.maps);
    const auto head = readBytes(wl1.head);
    const std::vector<uint8_t> empty{0x08, 0x00, 0x00, 0x20, 0xCD, 0xAB, 0x00, 0x10, 0x00, 0x00};
    for (int i = 0; i < 10; ++i) {
        const size_t at = loadLe32(head.data() + 2 + 4 * i);
        const auto h = *LevelHeader::read(std::span(map).subspan(at, 40));
        EXPECT_EQ(h.planeStart[2], h.planeStart[1] + h.planeLength[1]) << i;
        ASSERT_EQ(h.planeLength[2], 10) << i;
        EXPECT_EQ(
            std::vector<uint8_t>(map.begin() + h.planeStart[2], map.begin() + h.planeStart[2] + 10),
            empty)
            << i;
        EXPECT_EQ(size_t(h.planeStart[2] + 10), at) << i; // the header follows, as in the game's
    }
}

TEST(MapArchiveFaults, ASaveThatCannotStartNamesTheFileAndTheReason) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Wl1Copy wl1;
    MapFixture f;
    ASSERT_TRUE(f.load(wl1.maps));
    f.prompter.onUnexpected = [](const std::string&) {};
    const fs::path target = wl1.dir / "gone" / "GAMEMAPS.WL1";
    EXPECT_FALSE(f.files.saveMaps(target));
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text,
              (wl1.dir / "gone" / "MAPHEAD.WL1").string() +
                  "\nSaving failed: creating the file failed: No such file or directory");
    EXPECT_EQ(f.prompter.messages[0].caption,
              "Error while saving maps: Cannot open header file for writing");
}

} // namespace
} // namespace zentrik::test
