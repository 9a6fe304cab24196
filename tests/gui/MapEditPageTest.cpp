// The map page's commands on the shareware maps: loading, every pen mode, the clipboard,
// single-level files, undo, saving, statistics and the professional controls.
#include "MapPageFixture.h"

namespace zentrik::gui {
namespace {

TEST_F(MapPage, GeometryFollowsTheGridAndTheZoom) {
    QWidget holder;
    LevelMapCtrl map(clock, context.quiet, prompter, &holder);
    map.move(100, 100);
    map.setGrid(false); // 513 pixels wide with the grid, 450 without: the centre stays
    EXPECT_EQ(map.pos(), QPoint(132, 132));
    map.setGrid(true);
    EXPECT_EQ(map.pos(), QPoint(100, 100));
    EXPECT_EQ(map.cellAt({7, 0}).x(), 0);
    EXPECT_EQ(map.cellAt({8, 0}).x(), 1);
    EXPECT_GE(map.cellAt({511, 0}).x(), 64); // beyond the map area
    EXPECT_LT(map.cellAt({-1, 0}).x(), 0);
    map.setZoom(2);
    EXPECT_EQ(map.size(), QSize(1026, 1026));
    EXPECT_EQ(map.cellAt({17, 17}), QPoint(1, 1));
}

TEST_F(MapPage, LoadShowsLevelOneAndItsStatistics) {
    loadShareware();
    EXPECT_EQ(page->findChild<QLabel*>("levelName")->text(), "Wolf1 Map1");
    EXPECT_EQ(stat("statPlayer")->text(), "1");
    EXPECT_TRUE(stat("statPlayer")->styleSheet().contains("rgb(0, 150, 0)"));
    EXPECT_FALSE(context.workspace.isModified(DataSet::Maps));
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].initialPath, "GAMEMAPS.*;MAPTEMP.*");
}

TEST_F(MapPage, AClickWithinASecondOfTheLoadDrawsNothing) {
    loadShareware();
    clock.set(context.quiet.at() + 500);
    setPen(true, {1, 0, 0});
    const uint16_t before = wall(30, 30);
    click(30, 30);
    EXPECT_EQ(wall(30, 30), before);
    clock.advance(501);
    click(30, 30);
    EXPECT_EQ(wall(30, 30), 1);
    EXPECT_TRUE(context.workspace.isModified(DataSet::Maps));
    EXPECT_EQ(page->findChild<QLabel*>("cursorReport")->text(), "X: 30  Y: 30    ");
}

TEST_F(MapPage, EveryPenModeOnALevel) {
    loadShareware();
    setPen(true, {5, 0, 108});
    setPen(false, {9, 0, 0});

    page->action("modePen")->trigger();
    drag(0, 0, 5, 2);
    EXPECT_EQ(wall(3, 1), 5);
    EXPECT_EQ(wall(4, 1), 5);

    page->action("modePipette")->trigger();
    click(3, 1, Qt::RightButton);
    EXPECT_EQ(page->tools().right.wall, 5);
    EXPECT_EQ(context.pens.right.wall, 5);
    EXPECT_EQ(page->tools().left.wall, 5); // the other pen stays

    page->action("editFloors")->trigger();
    page->action("modeFill")->trigger();
    prompter.expectQuestion(Answer::Ok); // "Clear Map" asks first
    page->clearMap();
    click(10, 10);
    EXPECT_EQ(wall(10, 10), 108);
    EXPECT_EQ(wall(63, 63), 108); // the whole map in one iterative fill
}

TEST_F(MapPage, CopyCutAndPasteThroughTheSystemClipboard) {
    loadShareware();
    page->action("modeRectSelect")->trigger();
    drag(10, 10, 12, 11);
    EXPECT_TRUE(page->action("copy")->isEnabled());
    page->copy();
    const auto bytes = takeMapClip();
    ASSERT_TRUE(bytes);
    const auto block = decodeMapClip(*bytes);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->walls[4], wall(11, 11)); // 3 x 2 from (10, 10)

    Plane walls = level().planes[0], objects = level().planes[1];
    page->cut();
    EXPECT_EQ(wall(11, 11), 0);
    ASSERT_TRUE(page->paste());
    EXPECT_TRUE(page->action("paste")->isChecked());
    click(10, 10);
    EXPECT_EQ(level().planes[0], walls);
    EXPECT_EQ(level().planes[1], objects);
    EXPECT_EQ(page->tools().penMode(), PenMode::RectSelect);
}

TEST_F(MapPage, ImportReadsInAJobAndAppliesAsOneUndoStep) {
    loadShareware();
    const Plane walls = level().planes[0];
    const std::string name = level().header.nameText();
    auto* third = page->findChild<QCheckBox*>("thirdPlane");
    third->click(); // a three-plane file, then back to two planes
    level().planes[2][size_t(5 * kMapSide + 6)] = 0x0102;
    const fs::path file = dir / "THREE.MAP";
    prompter.expectPath(file.string());
    ASSERT_TRUE(page->exportMap());
    prompter.expectQuestion(Answer::Ok);
    third->click();
    ASSERT_FALSE(context.workspace.levels().thirdPlane);
    page->makeWallTestMap();
    const Plane testMap = level().planes[0];
    const size_t steps = prompter.questions.size();

    // Cancel at the question: nothing changes, no undo step.
    ASSERT_TRUE(page->history().canUndo());
    prompter.expectQuestion(Answer::Cancel);
    EXPECT_FALSE(page->importMapFile(file.string()));
    ASSERT_EQ(prompter.questions.size(), steps + 1);
    EXPECT_EQ(prompter.questions.back().caption, "The map uses a third plane!");
    EXPECT_EQ(level().planes[0], testMap);

    // No (through "Import map..."): planes 0 and 1 only, the set stays without a third plane.
    prompter.expectPath(file.string());
    prompter.expectQuestion(Answer::No);
    ASSERT_TRUE(page->importMap());
    EXPECT_EQ(prompter.fileDialogs.back().defaultExt, "MAP");
    EXPECT_EQ(level().planes[0], walls);
    EXPECT_FALSE(context.workspace.levels().thirdPlane);

    // Yes: the third plane comes on with the file's plane 2; one undo takes both back.
    page->makeWallTestMap();
    prompter.expectQuestion(Answer::Yes);
    ASSERT_TRUE(page->importMapFile(file.string()));
    ASSERT_TRUE(context.workspace.levels().thirdPlane);
    EXPECT_EQ(level().planes[2][size_t(5 * kMapSide + 6)], 0x0102);
    EXPECT_TRUE(context.workspace.isModified(DataSet::Maps));
    EXPECT_EQ(level().header.nameText(), name);
    page->doUndo();
    EXPECT_FALSE(context.workspace.levels().thirdPlane);
    EXPECT_EQ(level().planes[0], testMap);
}

TEST_F(MapPage, ARefusedOrCancelledImportChangesNothing) {
    loadShareware();
    const Plane walls = level().planes[0];
    const fs::path missing = dir / "NONE.MAP";
    EXPECT_FALSE(page->importMapFile(missing.string()));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Unable to open file:");
    EXPECT_EQ(prompter.messages[0].text, missing.string());

    // A raw level read while the user cancels is dropped silently.
    const fs::path raw = dir / "RAW.MAP";
    test::writeBytes(raw, std::vector<uint8_t>(kRawLevelFileBytes, 1));
    jobs.cancelAfter = 0;
    EXPECT_FALSE(page->importMapFile(raw.string()));
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(level().planes[0], walls);
    EXPECT_FALSE(page->history().canUndo());
    EXPECT_FALSE(context.workspace.isModified(DataSet::Maps));
    jobs.cancelAfter = -1;
    ASSERT_TRUE(page->importMapFile(raw.string()));
    EXPECT_EQ(wall(0, 0), 0x0101);
    EXPECT_TRUE(page->history().canUndo());
}

TEST_F(MapPage, SavedMapsReadBackWithExactlyTheEdits) {
    loadShareware();
    setPen(true, {3, 0, 0});
    click(1, 1);
    std::vector<Level> expected = context.workspace.levels().levels;
    prompter.expectPath(gamemaps.string());
    ASSERT_TRUE(page->saveMaps());
    EXPECT_FALSE(context.workspace.isModified(DataSet::Maps));
    EXPECT_TRUE(fs::exists(gamemaps.string() + ".bak"));
    clock.advance(1001); // the save's quiet time
    setPen(true, {4, 0, 0});
    click(2, 2);

    // The unsaved edit is guarded: No keeps it.
    prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(page->loadMaps());
    EXPECT_EQ(wall(2, 2), 4);
    prompter.expectQuestion(Answer::Yes);
    prompter.expectPath(gamemaps.string());
    ASSERT_TRUE(page->loadMaps());
    // Every level of the game's files reads back with exactly the one edit.
    ASSERT_EQ(context.workspace.levels().levelCount(), int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(context.workspace.levels().levels[i].planes, expected[i].planes) << "level " << i;
        EXPECT_EQ(context.workspace.levels().levels[i].header.name, expected[i].header.name);
    }
    EXPECT_EQ(wall(1, 1), 3);
}

// The limits themselves are counted in the core; here the panel must follow an edit.
TEST_F(MapPage, StatisticsFollowAnEditAndShowTheLimitInRed) {
    loadShareware();
    level().planes[1][100] = 19; // a second player start
    context.workspace.notify({DataSet::Maps, ChangeKind::Edited, 0});
    EXPECT_EQ(stat("statPlayer")->text(), "2");
    EXPECT_TRUE(stat("statPlayer")->styleSheet().contains("rgb(255, 0, 0)"));
}

TEST_F(MapPage, InitMapAndProfMode) {
    loadShareware();
    setPen(true, {1, 0, 108});
    prompter.expectQuestion(Answer::Ok);
    page->initMap();
    EXPECT_EQ(wall(0, 0), 1); // the pen's wall around the pen's floor
    EXPECT_EQ(wall(30, 30), 108);

    page->show();
    auto* prof = page->findChild<QCheckBox*>("profMode");
    prof->setChecked(false);
    EXPECT_TRUE(page->findChild<MapStatisticsPanel*>()->isVisible());
    EXPECT_FALSE(page->findChild<QCheckBox*>("splitmap")->isVisible());
    prof->setChecked(true);
    EXPECT_FALSE(page->findChild<MapStatisticsPanel*>()->isVisible());
}

TEST_F(MapPage, EachKindOfEditIsOneUndoStep) {
    loadShareware();
    const Plane original = level().planes[0];
    const Plane originalObjects = level().planes[1];
    setPen(true, {7, 0, 108});

    page->action("modeFill")->trigger();
    click(30, 30); // a floor region of level 1
    EXPECT_EQ(wall(30, 30), 7);
    page->action("modeRectangle")->trigger();
    drag(1, 1, 4, 4);
    EXPECT_EQ(wall(4, 1), 7);
    page->action("modeRectSelect")->trigger();
    drag(1, 1, 2, 2);
    page->cut();
    ASSERT_TRUE(page->paste());
    click(20, 20);
    prompter.expectQuestion(Answer::Ok);
    page->initMap();
    page->makeObjectTestMap();
    EXPECT_EQ(page->history().size(), 6u);

    for (int i = 0; i < 6; ++i)
        page->doUndo();
    EXPECT_EQ(level().planes[0], original);
    EXPECT_EQ(level().planes[1], originalObjects);
    EXPECT_FALSE(context.workspace.isModified(DataSet::Maps));
    EXPECT_FALSE(page->action("undo")->isEnabled());
    for (int i = 0; i < 6; ++i)
        page->doRedo();
    EXPECT_EQ(object(63, 0), 63); // the object test map is back
    EXPECT_TRUE(context.workspace.isModified(DataSet::Maps));

    // Deleting a level and importing over one are whole-set steps.
    context.workspace.levels().currentLevel = 0;
    page->editor().setCurrentMap(3);
    const Plane fourth = level().planes[0];
    page->findChild<QPushButton*>("deleteMap")->click();
    EXPECT_EQ(context.workspace.levels().levelCount(), 9);
    page->doUndo();
    EXPECT_EQ(context.workspace.levels().levelCount(), 10);
    EXPECT_EQ(page->findChild<QLabel*>("levelCounter")->text(), "Map 4/10");
    EXPECT_EQ(level().planes[0], fourth);
}

TEST_F(MapPage, SplitModeTwoWritesTheHighByteAndDimsEmptyOnes) {
    loadShareware();
    auto* split = page->findChild<QCheckBox*>("splitmap");
    split->setChecked(true);
    EXPECT_TRUE(page->action("editTopBottom")->isEnabled());
    page->action("editTopBottom")->trigger(); // down: the high byte
    EXPECT_EQ(page->map()->view().split, SplitMode::HighByte);
    level().planes[0][size_t(5 * kMapSide + 5)] = 0x0001; // a grey stone wall, high byte 0
    setPen(true, {0x02, 0, 0});
    click(5, 5);
    EXPECT_EQ(wall(5, 5), 0x0201);
    // The map shows the high byte's symbol.
    EXPECT_EQ(page->map()->picture().pixel(5 * 8 + 1, 5 * 8 + 1),
              context.symbols.strip.symbol(2)[0]);
    split->setChecked(false);
    EXPECT_FALSE(page->action("editTopBottom")->isEnabled());
    EXPECT_EQ(page->map()->view().split, SplitMode::Whole);
}

TEST_F(MapPage, ThirdPlaneEditingAndFeatureFlags) {
    loadShareware();
    auto* third = page->findChild<QCheckBox*>("thirdPlane");
    third->click();
    ASSERT_TRUE(context.workspace.levels().thirdPlane);
    page->action("edit3rdPlane")->trigger();
    EXPECT_FALSE(page->action("editObjects")->isEnabled());
    EXPECT_FALSE(page->findChild<QCheckBox*>("showObjects")->isChecked());
    setPen(true, {0x0305, 0, 0});
    click(9, 9);
    EXPECT_EQ(level().planes[2][size_t(9 * kMapSide + 9)], 0x0305);
    // The Objects list cannot switch the map to objects now; the shared plane stays true.
    context.editPlane = EditPlane::Objects;
    emit context.messages.editPlaneChanged();
    EXPECT_EQ(context.editPlane, EditPlane::Walls);
    EXPECT_EQ(page->tools().target, PenTarget::Walls);
    page->action("edit3rdPlane")->trigger();
    EXPECT_TRUE(page->action("editObjects")->isEnabled());
    EXPECT_TRUE(page->findChild<QCheckBox*>("showObjects")->isChecked());

    // Turning the plane off asks; Cancel keeps every plane 2.
    prompter.expectQuestion(Answer::Cancel);
    third->click();
    EXPECT_TRUE(third->isChecked());
    EXPECT_EQ(level().planes[2][size_t(9 * kMapSide + 9)], 0x0305);

    page->findChild<QCheckBox*>("featureFlags")->click();
    level().planes[0][kFeatureFlagsWord] = 0x0003;
    auto* rain = page->findChild<QCheckBox*>("flag2");
    ASSERT_TRUE(rain->isEnabled());
    rain->click();
    EXPECT_EQ(level().planes[0][kFeatureFlagsWord], 0x0013);
}

TEST_F(MapPage, AddMapStartsASetAndTheNameEditWritesTheHeader) {
    EXPECT_FALSE(page->tools().hasLevel()); // the start-up picture only
    EXPECT_FALSE(page->action("saveMaps")->isEnabled());
    page->findChild<QPushButton*>("addMap")->click();
    EXPECT_EQ(page->findChild<QLabel*>("levelCounter")->text(), "Map 1/1");
    QTest::keyClicks(page->findChild<QLineEdit*>("mapName"), "A very long level name");
    EXPECT_EQ(level().header.nameText(), "A very long leve");
    EXPECT_TRUE(context.workspace.isModified(DataSet::Maps));
}

} // namespace
} // namespace zentrik::gui
