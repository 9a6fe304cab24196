// The single-level ".MAP" file: export, import, the raw form and every refusal.
#include "MapTestFixture.h"

#include "maps/MapFile.h"

namespace zentrik::test {
namespace {

struct Levels : MapFixture {
    TempDir dir;
    Levels(bool third = false) {
        set.thirdPlane = third;
        for (int i = 0; i < 3; ++i) {
            set.levels.push_back(Level::blank(third));
            set.levels.back().planes[0] = patternPlane(uint16_t(i + 1));
            set.levels.back().planes[1] = patternPlane(uint16_t(i + 7));
            if (third)
                set.levels.back().planes[2] = patternPlane(uint16_t(i + 20));
        }
        set.levels[1].header.setName("Second level");
        set.currentLevel = 1;
        set.mapsLoaded = true;
    }
};

TEST(MapFile, ExportLayoutAndSizes) {
    Levels two;
    ASSERT_TRUE(exportMap(two.set, two.dir / "a.MAP", two.prompter));
    const auto bytes = readBytes(two.dir / "a.MAP");
    ASSERT_EQ(bytes.size(), 16418u);
    const std::vector<uint8_t> head{'Z', 'K', 'v', '1', '.', '2', '3', 0, 2,
                                    1,   0,   1,   0,   64,  0,   64,  0, 16};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + 18, bytes.begin() + 30), "Second level");
    EXPECT_EQ(bytes[34] | (bytes[35] << 8), patternPlane(2)[0]);
    Levels three(true);
    EXPECT_EQ(encodeMapFile(three.set, 0).size(), 24610u);
    EXPECT_FALSE(exportMap(two.set, two.dir / "none" / "a.MAP", two.prompter));
    EXPECT_EQ(two.prompter.messages.back().caption, "Unable to create file:");
}

TEST(MapFile, ImportReplacesTheCurrentLevelAndMarksTheMapsChanged) {
    Levels from;
    const auto bytes = encodeMapFile(from.set, 1);
    Levels to;
    to.set.currentLevel = 2;
    writeBytes(to.dir / "in.MAP", bytes);
    ASSERT_TRUE(importMap(to.editor, to.dir / "in.MAP", to.prompter));
    EXPECT_EQ(to.set.levels[2].header.nameText(), "Second level");
    EXPECT_EQ(to.set.levels[2].planes[0], patternPlane(2));
    EXPECT_EQ(to.set.levels[2].planes[1], patternPlane(8));
    EXPECT_TRUE(to.set.mapsModified);

    // The raw form keeps the level's name.
    std::vector<uint8_t> raw(bytes.begin() + 34, bytes.end());
    ASSERT_EQ(raw.size(), 16384u);
    writeBytes(to.dir / "raw.MAP", raw);
    to.set.currentLevel = 0;
    ASSERT_TRUE(importMap(to.editor, to.dir / "raw.MAP", to.prompter));
    EXPECT_EQ(to.set.levels[0].header.nameText(), "");
    EXPECT_EQ(to.set.levels[0].planes[1], patternPlane(8));
}

TEST(MapFile, RefusalsLeaveTheLevelUnchanged) {
    Levels two;
    const auto good = encodeMapFile(two.set, 1);
    struct Case {
        size_t at;
        uint8_t value;
        const char* text;
    } cases[] = {{6, '4', "Unknown map format!"},
                 {8, 4, "Only two or three planes supported!"},
                 {9, 2, "Importing multiple maps is not implemented yet!"},
                 {13, 32, "Only 64x64 maps supported yet!"},
                 {15, 65, "Only 64x64 maps supported yet!"}};
    for (const Case& k : cases) {
        auto bytes = good;
        bytes[k.at] = k.value;
        Levels to;
        writeBytes(to.dir / "bad.MAP", bytes);
        EXPECT_FALSE(importMap(to.editor, to.dir / "bad.MAP", to.prompter));
        ASSERT_EQ(to.prompter.messages.size(), 1u);
        EXPECT_EQ(to.prompter.messages[0].text, k.text);
        EXPECT_EQ(to.prompter.messages[0].caption, "Unable to import map!");
        EXPECT_EQ(to.set.levels[1].header.nameText(), "Second level");
        EXPECT_FALSE(to.set.mapsModified);
    }
    for (size_t n = 0; n < good.size(); n += 511)
        EXPECT_FALSE(decodeMapFile(std::span(good).first(n))) << n;
    Levels to;
    EXPECT_FALSE(importMap(to.editor, to.dir / "absent.MAP", to.prompter));
    EXPECT_EQ(to.prompter.messages.at(0).caption, "Unable to open file:");
}

} // namespace
} // namespace zentrik::test
