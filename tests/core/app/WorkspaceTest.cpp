// The workspace's signals, its one "modified" state per set and the page-file loads it guards.
#include "WorkspaceFixture.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

TEST(Signal, ListenersComeAndGoWhileNotifying) {
    Signal<int> sig;
    std::vector<std::string> calls;
    Connection a, b, late;
    a = sig.connect([&](int v) {
        calls.push_back("a" + std::to_string(v));
        a.disconnect(); // itself, while being called
        b.disconnect(); // a later one, not yet called
        late = sig.connect([&](int w) { calls.push_back("late" + std::to_string(w)); });
    });
    b = sig.connect([&](int) { calls.push_back("b"); });
    {
        Connection scoped = sig.connect([&](int) { calls.push_back("scoped"); });
    }
    sig(1);
    sig(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"a1", "late2"}));
    EXPECT_EQ(sig.listenerCount(), 1u);

    // A connection that outlives its signal does nothing when it goes.
    auto gone = std::make_unique<Signal<>>();
    Connection orphan = gone->connect([] {});
    gone.reset();
    EXPECT_FALSE(orphan.connected());
}

struct Recorder {
    explicit Recorder(Workspace& ws)
        : modified(ws.modifiedChanged.connect([this](DataSet s, bool on) {
              events.push_back({s, on});
          })) {}
    Connection modified;
    std::vector<std::pair<DataSet, bool>> events;
};

UndoHistory::Step nopStep(int focus) {
    return {[focus] { return focus; }, [focus] { return focus; }};
}

TEST(Workspace, ModifiedFollowsCleanMarkAndEditsWithoutUndo) {
    WorkspaceFixture f;
    Recorder r(f.ws);
    UndoHistory& h = f.ws.history(DataSet::Maps);

    h.push(nopStep(2));
    EXPECT_TRUE(f.ws.isModified(DataSet::Maps));
    EXPECT_EQ(h.undo(), 2);
    EXPECT_FALSE(f.ws.isModified(DataSet::Maps)) << "back at the clean mark";

    // Saved, then an edit without an undo step, then a drawn and undone step: still modified.
    f.ws.markSaved(DataSet::Maps);
    f.ws.markEdited(DataSet::Maps);
    h.push(nopStep(0));
    h.undo();
    EXPECT_TRUE(f.ws.isModified(DataSet::Maps));
    f.ws.markSaved(DataSet::Maps);
    EXPECT_FALSE(f.ws.isModified(DataSet::Maps));
    // Saved in the redo branch, which a new step then cuts off: never clean again.
    h.redo();
    f.ws.markSaved(DataSet::Maps);
    h.undo();
    h.push(nopStep(1));
    h.undo();
    EXPECT_TRUE(f.ws.isModified(DataSet::Maps));

    using E = std::pair<DataSet, bool>;
    std::vector<E> expected;
    for (int i = 0; i < 7; ++i)
        expected.push_back({DataSet::Maps, i % 2 == 0});
    EXPECT_EQ(r.events, expected) << "one notification per change of state, none per edit";
    EXPECT_FALSE(f.ws.isModified(DataSet::Walls));
}

TEST(Workspace, SaveAllAndPaletteSwitch) {
    WorkspaceFixture f;
    int saveAll = 0, palette = 0;
    Connection c1 = f.ws.saveAllChanged.connect([&] { ++saveAll; });
    Connection c2 = f.ws.paletteSwitched.connect([&] { ++palette; });
    f.ws.markEdited(DataSet::Tile8s);
    EXPECT_FALSE(f.ws.saveAllEnabled()) << "only once Load All was used";
    f.ws.setLoadAllUsed(true);
    EXPECT_TRUE(f.ws.saveAllEnabled());
    f.ws.markSaved(DataSet::Tile8s);
    EXPECT_FALSE(f.ws.saveAllEnabled());
    EXPECT_EQ(saveAll, 3);
    for (int d = 0; d < kDataSetCount; ++d) { // an edit of any set enables it
        f.ws.markEdited(DataSet(d));
        EXPECT_TRUE(f.ws.saveAllEnabled()) << d;
        f.ws.markSaved(DataSet(d));
    }

    f.ws.colorMatch().clearIfStale();
    EXPECT_FALSE(f.ws.colorMatch().stale());
    f.ws.notePaletteSwitch();
    EXPECT_TRUE(f.ws.colorMatch().stale());
    EXPECT_EQ(palette, 1);
}

TEST(Workspace, PageFileLoadsKeepTheLoadedSetAndAskOverChanges) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const fs::path path = dir.copyGameFile("wl1/VSWAP.WL1");
    WorkspaceFixture f;
    std::vector<Change> changes;
    Connection c = f.ws.changed.connect([&](const Change& ch) { changes.push_back(ch); });

    ASSERT_TRUE(f.ws.loadSprites(path));
    ASSERT_TRUE(f.ws.loadSounds(path));
    const int sprites = f.ws.sprites().count();
    const size_t sounds = f.ws.sounds().sounds.size();
    f.ws.markEdited(DataSet::Sprites);

    // Over unsaved sprites: No keeps them without reading anything.
    f.prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(f.ws.loadSprites(path));
    EXPECT_EQ(f.prompter.questions.back().caption, "Sprite changes unsaved!");
    // Yes, then Cancel in the job: still the old sets, still modified.
    f.prompter.expectQuestion(Answer::Yes);
    f.jobs.cancelAfter = 1;
    EXPECT_FALSE(f.ws.loadSprites(path));
    EXPECT_FALSE(f.ws.loadSounds(path));
    EXPECT_TRUE(f.ws.isLoaded(DataSet::Sprites));
    EXPECT_EQ(f.ws.sprites().count(), sprites);
    EXPECT_EQ(f.ws.sounds().sounds.size(), sounds);
    EXPECT_TRUE(f.ws.isModified(DataSet::Sprites));
    // A file that cannot be opened keeps them too.
    EXPECT_FALSE(f.ws.loadWalls(dir / "missing"));
    f.jobs.cancelAfter = -1;

    ASSERT_TRUE(f.ws.saveSprites(path, 1));
    EXPECT_FALSE(f.ws.isModified(DataSet::Sprites));
    EXPECT_EQ(f.ws.source(DataSet::Sprites), path);
    EXPECT_EQ(changes, (std::vector<Change>{{DataSet::Sprites, ChangeKind::Loaded, -1},
                                            {DataSet::Sounds, ChangeKind::Loaded, -1}}));
}

TEST(Workspace, EveryMapEditIsAnUndoStepAndAFailedLoadKeepsTheLevels) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const fs::path maps = dir.copyGameFile("wl1/GAMEMAPS.WL1");
    dir.copyGameFile("wl1/MAPHEAD.WL1");
    WorkspaceFixture f;
    std::vector<int> shown;
    Connection c = f.ws.currentLevelChanged.connect([&](int n) { shown.push_back(n); });
    ASSERT_TRUE(f.ws.loadMaps(MapFileName::split(maps)));
    const std::vector<Level> loaded = f.ws.levels().levels;
    const auto modified = [&] { return f.ws.isModified(DataSet::Maps); };

    // Save, rename, draw, undo: the rename is still unsaved.
    ASSERT_TRUE(f.ws.saveMaps(maps));
    EXPECT_FALSE(modified());
    EXPECT_TRUE(f.ws.renameLevel("Ab"));
    EXPECT_TRUE(f.ws.renameLevel("Abc")); // typing on amends the same step
    EXPECT_TRUE(f.ws.editLevel([&] { f.ws.levels().levels[0].planes[0][5] ^= 1; }));
    ASSERT_TRUE(f.ws.undo(DataSet::Maps));
    EXPECT_TRUE(modified());
    ASSERT_TRUE(f.ws.undo(DataSet::Maps));
    EXPECT_FALSE(modified()) << "one step undid the whole rename";
    EXPECT_FALSE(f.ws.history(DataSet::Maps).canUndo());

    // Feature flag, third plane, add and delete: each one step, all undone back to clean.
    f.ws.levelEditor().setFeatureFlagsEnabled(true);
    EXPECT_TRUE(f.ws.setFeatureFlag(kRain, true));
    EXPECT_TRUE(f.ws.setThirdPlane(true));
    EXPECT_TRUE(f.ws.addMap());
    EXPECT_TRUE(f.ws.deleteMap());
    EXPECT_EQ(f.ws.history(DataSet::Maps).size(), 4u);
    while (f.ws.undo(DataSet::Maps)) {
    }
    EXPECT_FALSE(modified());
    EXPECT_FALSE(f.ws.levels().thirdPlane);
    ASSERT_EQ(f.ws.levels().levels.size(), loaded.size());
    for (size_t i = 0; i < loaded.size(); ++i)
        EXPECT_EQ(f.ws.levels().levels[i].planes, loaded[i].planes) << i;

    // A cancelled load keeps the levels and their unsaved edits.
    f.ws.redo(DataSet::Maps);
    f.prompter.expectQuestion(Answer::Yes);
    f.jobs.cancelAfter = 1;
    EXPECT_FALSE(f.ws.loadMaps(MapFileName::split(maps)));
    EXPECT_EQ(f.ws.levels().levels.size(), loaded.size());
    EXPECT_TRUE(modified());
    EXPECT_EQ(shown.front(), 0);
}

} // namespace
} // namespace zentrik::test
