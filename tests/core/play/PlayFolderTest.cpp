// The play folder: the workspace as it is in memory beside the game's untouched files.
#include "WorkspaceFixture.h"

#include "play/WorkspacePlay.h"

#include <gtest/gtest.h>

#include <map>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

using FolderBytes = std::map<std::string, std::vector<uint8_t>>;

const char* const kShareware[] = {"AUDIOHED.WL1", "AUDIOT.WL1",   "GAMEMAPS.WL1", "MAPHEAD.WL1",
                                  "VGADICT.WL1",  "VGAGRAPH.WL1", "VGAHEAD.WL1",  "VSWAP.WL1",
                                  "WOLF3D.EXE",   "VENDOR.DOC"};

// A copy of the shareware folder with a configuration and a save game, loaded into a workspace.
struct PlayFixture : WorkspaceFixture {
    TempDir tmp;
    fs::path game = tmp / "game";
    fs::path root = tmp / "cache";
    PlayFixture() {
        fs::create_directories(game);
        for (const char* name : kShareware)
            fs::copy_file(gamedataDir() / "wl1" / name, game / name);
        writeBytes(game / "CONFIG.WL1", {1, 2, 3});
        writeBytes(game / "SAVEGAM0.WL1", {4, 5, 6});
    }
    PlayRequest request(int level) {
        EXPECT_TRUE(ws.loadMaps(MapFileName::split(game / "GAMEMAPS.WL1")));
        auto r = workspaceGame(ws);
        EXPECT_TRUE(r);
        r->level = level;
        return *r;
    }
    Result<PlayFolderReport> build(const PlayRequest& r) {
        return buildPlayFolder({game, playFolderOf(root, r.suffix), workspacePlayWriters(ws, r)});
    }
    fs::path play() const { return root / "WL1"; }
};

// Level `level` of the maps in `folder`, as a fresh workspace reads them.
Level levelIn(const fs::path& folder, int level) {
    WorkspaceFixture reader;
    EXPECT_TRUE(reader.ws.loadMaps(MapFileName::split(folder / "GAMEMAPS.WL1")));
    return reader.ws.levels().levels.at(size_t(level));
}

std::vector<size_t> startsIn(const Level& level) {
    std::vector<size_t> at;
    for (size_t i = 0; i < level.planes[1].size(); ++i)
        if (level.planes[1][i] >= kPlayerStartNorth && level.planes[1][i] <= kPlayerStartWest)
            at.push_back(i);
    return at;
}

TEST(PlayFolder, HoldsTheWorkspaceAsInMemoryAndLeavesTheGameFolderAlone) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayFixture f;
    PlayRequest r = f.request(2);
    ASSERT_TRUE(f.ws.loadWalls(f.game / "VSWAP.WL1"));
    const FolderBytes before = everyFile(f.game);
    f.ws.levels().currentLevel = 2;
    ASSERT_TRUE(f.ws.editLevel([&] { f.ws.levels().current()->planes[0][65] = 7; }));
    f.ws.markEdited(DataSet::Walls);

    auto report = f.build(r);
    ASSERT_TRUE(report) << report.error().text;
    EXPECT_EQ(everyFile(f.game), before);
    const FolderBytes played = everyFile(f.play());
    std::vector<std::string> names, expected;
    for (const auto& [name, bytes] : played)
        names.push_back(name);
    for (const auto& [name, bytes] : before)
        expected.push_back(name);
    EXPECT_EQ(names, expected); // no backups, journals or partial files left behind
    for (const char* same : {"AUDIOT.WL1", "VGAGRAPH.WL1", "WOLF3D.EXE", "CONFIG.WL1"})
        EXPECT_EQ(played.at(same), before.at(same)) << same;
    EXPECT_NE(played.at("GAMEMAPS.WL1"), before.at("GAMEMAPS.WL1"));
    EXPECT_EQ(levelIn(f.play(), 2).planes, f.ws.levels().levels[2].planes);
    EXPECT_EQ(levelIn(f.play(), 3).planes, f.ws.levels().levels[3].planes);
    EXPECT_FALSE(fs::equivalent(f.play() / "VSWAP.WL1", f.game / "VSWAP.WL1"));

    // The workspace keeps its changed flags, its undo step and its file names.
    EXPECT_TRUE(f.ws.isModified(DataSet::Maps));
    EXPECT_TRUE(f.ws.isModified(DataSet::Walls));
    EXPECT_EQ(f.ws.source(DataSet::Maps), f.game / "GAMEMAPS.WL1");
    EXPECT_TRUE(f.ws.undo(DataSet::Maps));

    // What the game writes in the play folder stays there.
    writeBytes(f.play() / "CONFIG.WL1", {9});
    writeBytes(f.play() / "SAVEGAM0.WL1", {9});
    EXPECT_EQ(everyFile(f.game), before);
    EXPECT_TRUE(std::find(report->copied.begin(), report->copied.end(), "CONFIG.WL1") !=
                report->copied.end());
}

TEST(PlayFolder, UnchangedSetsAreTheGameFilesAndARebuildDropsStaleFiles) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayFixture f;
    PlayRequest r = f.request(0);
    EXPECT_TRUE(workspacePlayWriters(f.ws, r).empty());
    ASSERT_TRUE(f.build(r));
    writeBytes(f.play() / "STALE.TXT", {1});
    auto report = f.build(r);
    ASSERT_TRUE(report);
    EXPECT_FALSE(fs::exists(f.play() / "STALE.TXT"));
    EXPECT_EQ(everyFile(f.play()), everyFile(f.game));
    EXPECT_EQ(report->linked.size() + report->copied.size(), std::size(kShareware) + 2);
}

TEST(PlayFolder, PlayFromHereMovesTheStartInTheCopyOnly) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayFixture f;
    PlayRequest r = f.request(0);
    const Level original = f.ws.levels().levels[0];
    ASSERT_EQ(startsIn(original).size(), 1u);
    // An open cell of level 0, found rather than assumed.
    size_t open = 0;
    while (original.planes[0][open] < 107 || original.planes[1][open] != 0)
        ++open;
    r.from = PlaySpot{int(open % kMapSide), int(open / kMapSide), 181};
    ASSERT_TRUE(f.build(r));
    const Level played = levelIn(f.play(), 0);
    EXPECT_EQ(startsIn(played), std::vector<size_t>{open});
    EXPECT_EQ(played.planes[1][open], kPlayerStartWest);
    EXPECT_EQ(f.ws.levels().levels[0].planes, original.planes);
    EXPECT_FALSE(f.ws.isModified(DataSet::Maps));
}

TEST(PlayFolder, RefusedSpotsAndOverlappingFoldersBuildNothing) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayFixture f;
    PlayRequest r = f.request(0);
    const FolderBytes before = everyFile(f.game);
    r.from = PlaySpot{0, 0, 90}; // the border is wall
    EXPECT_FALSE(f.build(r));
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text, "Play from here: the cell 0, 0 is a wall.");
    EXPECT_FALSE(fs::exists(f.play()));
    EXPECT_FALSE(fs::exists(f.root / "WL1.partial"));

    for (const fs::path& inside : {f.game / "play", f.game, f.game.parent_path()}) {
        auto overlap = buildPlayFolder({f.game, inside, {}});
        ASSERT_FALSE(overlap) << inside;
        EXPECT_NE(overlap.error().text.find("overlap"), std::string::npos);
    }
    EXPECT_EQ(everyFile(f.game), before);
}

TEST(PlayFolder, CacheFolderFollowsTheXdgRules) {
    EXPECT_EQ(playRootFrom("/x/cache", "/home/u"), fs::path("/x/cache/Zentrik/play"));
    EXPECT_EQ(playRootFrom("relative", "/home/u"), fs::path("/home/u/.cache/Zentrik/play"));
    EXPECT_EQ(playRootFrom("", "/home/u"), fs::path("/home/u/.cache/Zentrik/play"));
    EXPECT_EQ(playRootFrom(nullptr, nullptr), fs::path());
    EXPECT_EQ(playFolderOf("/r", "wl6"), fs::path("/r/WL6"));
    EXPECT_EQ(playFolderOf("/r", "../"), fs::path("/r/GAME"));
}

TEST(PlayStart, NearestOfTheFourDirections) {
    const std::pair<int, uint16_t> cases[] = {{0, 20},   {44, 20},  {46, 19},  {90, 19},
                                              {180, 22}, {225, 21}, {270, 21}, {314, 21},
                                              {316, 20}, {-90, 21}, {720, 20}};
    for (auto [angle, value] : cases)
        EXPECT_EQ(playerStartFor(angle), value) << angle;
    Level level = Level::blank(false);
    EXPECT_FALSE(movePlayerStart(level, {64, 3, 0}));
    EXPECT_FALSE(movePlayerStart(level, {-1, 3, 0}));
}

} // namespace
} // namespace zentrik::test
