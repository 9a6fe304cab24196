#include "app/LoadAllFiles.h"
#include "app/LoadAllPlan.h"
#include "app/LoadAllRunner.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace zentrik;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

struct ProposalCase {
    const char* what;
    Names files;
    const char* lastExtension;
    std::optional<std::string> proposed;
};

} // namespace

TEST(LoadAllPlan, ProposesTheSuffixMostFilesShare) {
    const ProposalCase cases[] = {
        {"three WL6 files beat one SOD",
         {"GAMEMAPS.WL6", "MAPHEAD.WL6", "VSWAP.SOD", "VSWAP.WL6"},
         "WL1",
         "WL6"},
        {"a tie goes to the last extension", {"VSWAP.SOD", "VSWAP.WL6"}, "SOD", "SOD"},
        {"a tie without it goes to the first", {"VSWAP.SOD", "VSWAP.WL6"}, "WL1", "SOD"},
        {"lower case names count", {"gamemaps.wl6", "maphead.wl6"}, "SOD", "WL6"},
        {"our own backups are never proposed",
         {"VSWAP.WL1", "VSWAP.WL1.bak", "GAMEMAPS.WL1.BAK", "MAPHEAD.WL1.bak", "VGAGRAPH.WL1.tmp"},
         "WL6",
         "WL1"},
        {"no game file, no proposal", {"README.TXT", "WOLF3D.EXE"}, "WL6", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proposeSuffix(classifyNames(c.files), c.lastExtension), c.proposed) << c.what;
}

TEST(LoadAllPlan, ExactNamesComeFirstAndFieldsTakeTheWholeSuffix) {
    const LoadAllScan scan =
        classifyNames({"gfxtiles.wl6", "MAPTEMP.WL6", "GAMEMAPS.WL6", "VSWAP.WL6X", "VSWAP.WL6",
                       "AUDIOHED.WL6", "AUDIOT.WL6", "VGADICT.WL6"});
    EXPECT_EQ(scan.of(LoadAllRole::MapData), (Names{"GAMEMAPS.WL6", "MAPTEMP.WL6"}));
    EXPECT_EQ(scan.of(LoadAllRole::PageFile), (Names{"VSWAP.WL6X", "VSWAP.WL6", "gfxtiles.wl6"}));
    EXPECT_EQ(scan.suffixes, (Names{"WL6", "WL6X"}));

    const fs::path folder = "/games/wolf";
    const LoadAllNames wl6 = selectForSuffix(scan, "wl6", folder);
    EXPECT_EQ(wl6[size_t(LoadAllField::Walls)], folder / "VSWAP.WL6");
    EXPECT_EQ(wl6[size_t(LoadAllField::Sounds)], folder / "VSWAP.WL6");
    EXPECT_EQ(wl6[size_t(LoadAllField::AudioHeader)], folder / "AUDIOHED.WL6");
    EXPECT_TRUE(wl6[size_t(LoadAllField::MapHeader)].empty());
    EXPECT_EQ(selectForSuffix(scan, "WL6X", folder)[size_t(LoadAllField::Walls)],
              folder / "VSWAP.WL6X");
    EXPECT_EQ(fieldPath("sub/../GAMEMAPS.WL6", folder), folder / "GAMEMAPS.WL6");
}

namespace {

// Records every call; loads and saves fail for the names it is told to fail on.
struct FakeIO : LoadAllIO {
    std::vector<std::string> calls;
    std::set<DataSet> modified;
    std::set<std::string> failing;
    bool step(const std::string& call, const fs::path& p) {
        calls.push_back(call + " " + p.filename().string());
        return !failing.count(call);
    }
    bool loadDictionary(const fs::path& p) override { return step("dict", p); }
    bool loadMaps(const fs::path& d, const fs::path&) override { return step("maps", d); }
    bool loadWalls(const fs::path& p) override { return step("walls", p); }
    bool loadSprites(const fs::path& p) override { return step("sprites", p); }
    bool loadSounds(const fs::path& p) override { return step("sounds", p); }
    bool loadGraphics(const fs::path&, const fs::path& d) override { return step("vga", d); }
    bool loadMusic(const fs::path& d, const fs::path&) override { return step("music", d); }
    bool isModified(DataSet s) const override { return modified.count(s) > 0; }
    bool saveMaps(const fs::path& d, const fs::path&) override { return step("save maps", d); }
    bool savePageFile(const fs::path& p, PageParts parts) override {
        return step(std::string("save page") + (parts.walls ? " w" : "") +
                        (parts.sprites ? " s" : "") + (parts.sounds ? " d" : ""),
                    p);
    }
    bool saveGraphics(const fs::path&, const fs::path& d, VgaParts parts) override {
        return step(
            std::string("save vga") + (parts.graphics ? " g" : "") + (parts.fonts ? " f" : ""), d);
    }
    bool saveMusic(const fs::path& d, const fs::path&) override { return step("save music", d); }
};

LoadAllNames wl6Names(const fs::path& folder) {
    return selectForSuffix(
        classifyNames({"AUDIOHED.WL6", "AUDIOT.WL6", "GAMEMAPS.WL6", "MAPHEAD.WL6", "VGADICT.WL6",
                       "VGAGRAPH.WL6", "VGAHEAD.WL6", "VSWAP.WL6"}),
        "WL6", folder);
}

} // namespace

TEST(LoadAllSession, LoadsInOrderGoesOnAfterAFailureAndWritesOnlyWhatItLoaded) {
    test::TempDir folder;
    FakeIO io;
    io.failing = {"sprites"};
    LoadAllSession session;
    const auto loaded = session.load(io, wl6Names(folder.path()));
    EXPECT_EQ(io.calls, (Names{"dict VGADICT.WL6", "maps GAMEMAPS.WL6", "walls VSWAP.WL6",
                               "sprites VSWAP.WL6", "sounds VSWAP.WL6", "vga VGAGRAPH.WL6",
                               "music AUDIOT.WL6"}));
    EXPECT_FALSE(loaded[3].ok);

    // Compress: every set that loaded, the page file's parts in one save, never music, and
    // the graphics archive only where it changed.
    io.calls.clear();
    io.modified = {DataSet::Fonts};
    session.compressAll(io);
    EXPECT_EQ(io.calls, (Names{"save maps GAMEMAPS.WL6", "save page w d VSWAP.WL6",
                               "save vga f VGAGRAPH.WL6"}));

    // Save all: flagged sets only, changed songs among them; a later single load of walls
    // takes them out of the session.
    io.calls.clear();
    io.modified = {DataSet::Walls, DataSet::Sprites, DataSet::Sounds, DataSet::Music};
    session.release(DataSet::Walls);
    session.saveAll(io);
    EXPECT_EQ(io.calls, (Names{"save page d VSWAP.WL6", "save music AUDIOT.WL6"}));
}

TEST(LoadAllSession, NeverWritesToAnEmptyNameOrTheFolderItself) {
    test::TempDir folder;
    FakeIO io;
    LoadAllNames names = wl6Names(folder.path());
    names[size_t(LoadAllField::Sounds)] = folder.path(); // typed over by the user
    LoadAllSession session;
    session.load(io, names);
    io.calls.clear();
    io.modified = {DataSet::Sounds, DataSet::Maps};
    const auto saved = session.saveAll(io);
    EXPECT_EQ(io.calls, (Names{"save maps GAMEMAPS.WL6"}));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(saved[1].skipped);
    EXPECT_TRUE(LoadAllSession{}.saveAll(io).empty()); // no Load All, no Save all
}

TEST(LoadAllFiles, CompressAllOfTheSharewareFolderKeepsEverySetAsItWas) {
    ZENTRIK_REQUIRE_GAMEDATA();
    test::TempDir dir;
    for (const char* f : {"GAMEMAPS.WL1", "MAPHEAD.WL1", "VSWAP.WL1", "VGAGRAPH.WL1", "VGAHEAD.WL1",
                          "VGADICT.WL1", "AUDIOT.WL1", "AUDIOHED.WL1"})
        dir.copyGameFile(std::string("wl1/") + f);
    auto scan = scanFolder(dir.path());
    ASSERT_TRUE(scan);
    ASSERT_EQ(proposeSuffix(*scan, "WL6"), "WL1");
    const LoadAllNames names = selectForSuffix(*scan, "WL1", dir.path());

    test::StrictPrompter prompter;
    Settings settings;
    InlineJobRunner jobs;
    SteadyClock clock;
    LoadAllFiles before(settings, prompter, jobs, clock);
    LoadAllSession session;
    for (const auto& o : session.load(before, names))
        EXPECT_TRUE(o.ok) << o.what;
    for (const auto& o : session.compressAll(before))
        EXPECT_TRUE(o.ok) << o.what;
    EXPECT_EQ(test::readBytes(dir / "VSWAP.WL1.bak"), test::readGameFile("wl1/VSWAP.WL1"));

    LoadAllFiles after(settings, prompter, jobs, clock);
    LoadAllSession reread;
    for (const auto& o : reread.load(after, names))
        EXPECT_TRUE(o.ok) << o.what;
    ASSERT_EQ(after.levels.levels.size(), before.levels.levels.size());
    for (size_t i = 0; i < after.levels.levels.size(); ++i)
        EXPECT_EQ(after.levels.levels[i].planes, before.levels.levels[i].planes) << "level " << i;
    EXPECT_EQ(after.pages.walls.raw, before.pages.walls.raw);
    EXPECT_EQ(after.pages.sounds.sounds.size(), before.pages.sounds.sounds.size());
    EXPECT_EQ(after.music.songCount(), before.music.songCount());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
}
