// The 3DEdit page with the map page beside it: shareware level 1 from its player start, keys,
// focus loss, "Goto in 3DEdit", an edit that the map page can undo, the mode-3 box, the edit
// planes shared with the map page, the floor/ceiling pens and the minimap's pointer.
#include "choosers/FlatColorSelectWnd.h"
#include "context/AppContext.h"
#include "GuiTestSupport.h"
#include "mapedit/CPropMapEdit.h"
#include "pagefile/PageFileReader.h"
#include "TestSupport.h"
#include "widgets/ColorGrid.h"
#include "window/SidePanel.h"
#include "world/Minimap.h"
#include "world3d/CMiniMap.h"
#include "world3d/CProp3DEdit.h"
#include "world3d/WinWolfCtrl.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;

const fs::path kData = ZENTRIK_SOURCE_DATA;
const fs::path kSymbolFolder = kData / "MapObjects" / "Wolfenstein 3D";

class World3DPage : public ::testing::Test {
protected:
    World3DPage() : context(ProgramPaths{dir.path(), dir.path() / "user"}) {
        context.prompter = &prompter;
        context.jobs = &jobs;
        context.clock = &clock;
        clock.set(50000);
        maps = new CPropMapEdit(context, &window);
        test::StrictPrompter quietLoader;
        maps->setSymbolSet(loadSymbolSetFolder(kSymbolFolder, quietLoader));
        page = new CProp3DEdit(context, &window);
        window.resize(900, 500);
        page->resize(900, 500);
        window.show();
    }
    ~World3DPage() override { fs::current_path(m_startFolder); }

    void loadShareware() {
        dir.copyGameFile("wl1/MAPHEAD.WL1");
        prompter.expectPath(dir.copyGameFile("wl1/GAMEMAPS.WL1").string());
        ASSERT_TRUE(maps->loadMaps());
        const fs::path vswap = dir.copyGameFile("wl1/VSWAP.WL1");
        ASSERT_TRUE(context.workspace.loadWalls(vswap));
        ASSERT_TRUE(context.workspace.loadSprites(vswap));
        GamePalette palette;
        ASSERT_TRUE(
            readPalBytes(test::readBytes(kData / "palette" / "Wolfenstein3D.pal"), palette));
        context.palettes.setCurrent(palette); // the page follows the switch
        clock.advance(1001);
        page->reload();
    }
    const ViewerPose& pose() { return page->view()->motion().pose; }
    Level& level() { return *context.workspace.levels().current(); }

    fs::path m_startFolder = fs::current_path();
    test::TempDir dir;
    test::StrictPrompter prompter;
    InlineJobRunner jobs;
    FakeClock clock;
    AppContext context;
    QWidget window;
    CPropMapEdit* maps = nullptr;
    CProp3DEdit* page = nullptr;
};

TEST_F(World3DPage, LevelOneFromItsStartWalksWithTheKeysAndStopsOnFocusLoss) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    EXPECT_EQ(pose().x, 29 * 65536 + 32768);
    EXPECT_EQ(pose().y, 57 * 65536 + 32768);
    const WorldFrame& frame = page->view()->frame();
    EXPECT_EQ(frame.columns[size_t(frame.width() / 2)].kind, HitKind::Door);
    test::saveSnapshot(*page, "3dedit-level1");
    page->grab().save(QString::fromStdString((m_startFolder / "3dedit-level1.png").string()));

    WinWolfCtrl* view = page->view();
    QTest::keyPress(view, Qt::Key_Up);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(view, &repeat); // an auto-repeat release keeps walking
    clock.advance(100);
    QTest::qWait(40);
    EXPECT_GT(pose().x, 29 * 65536 + 32768);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(view, &out);
    EXPECT_FALSE(view->motion().moving());
}

TEST_F(World3DPage, TurnsTowardACellWithoutMoving) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    emit context.messages.turnTo3D(29, 50); // straight north of the start
    EXPECT_EQ(pose().angle, 90);
    emit context.messages.turnTo3D(20, 57); // west
    EXPECT_EQ(pose().angle, 180);
    emit context.messages.turnTo3D(30, 58); // south-east
    EXPECT_EQ(pose().angle, 315);
    EXPECT_EQ(pose().x, 29 * 65536 + 32768);
}

TEST_F(World3DPage, GotoPicksACellOnTheMapAndGivesTheToolBack) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    maps->findChild<QPushButton*>("goto3D")->click();
    EXPECT_EQ(maps->tools().penMode(), PenMode::PickPosition);
    QWidget* map = maps->map();
    const int pitch = maps->map()->controller().view.pitch();
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(40 * pitch + 3, 20 * pitch + 3));
    QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(40 * pitch + 3, 20 * pitch + 3));
    EXPECT_EQ(maps->tools().penMode(), PenMode::Pen);
    EXPECT_EQ(pose().x, 40 * 65536 + 32768);
    EXPECT_EQ(pose().y, 20 * 65536 + 32768);
    // The level map marks where the viewer now stands.
    const QImage shown = map->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(40 * pitch + pitch / 2 - 2, 20 * pitch + pitch / 2)),
              QColor(Qt::red));
}

TEST_F(World3DPage, AWallPutFromTheViewIsOneUndoStepOfTheMapPage) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    context.pens.left.wall = 8; // the blue wall next to the door
    const int pitch = maps->map()->controller().view.pitch();
    auto same = [&] {
        const QImage map = maps->map()->grab().toImage();
        return map.pixel(32 * pitch + 3, 57 * pitch + 3) ==
               map.pixel(32 * pitch + 3, 56 * pitch + 3);
    };
    EXPECT_FALSE(same());
    std::vector<std::pair<QPoint, int>> reported;
    QObject::connect(&context.messages, &AppMessages::mapCursor,
                     [&](int x, int y, quint16, quint16 wall) {
                         reported.push_back({QPoint(x, y), wall});
                     });
    const QPoint centre = page->view()->rect().center();
    QTest::mousePress(page->view(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(page->view(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(level().planes[0][size_t(57 * 64 + 32)], 8); // the door became a wall
    // The side panel's cell line shows the placed cell with its new wall.
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), std::make_pair(QPoint(32, 57), 8));
    EXPECT_TRUE(context.workspace.isModified(DataSet::Maps));
    EXPECT_TRUE(same()) << "the level map shows the new wall like its neighbour";
    ASSERT_TRUE(maps->history().canUndo());
    maps->doUndo();
    EXPECT_EQ(level().planes[0][size_t(57 * 64 + 32)], 90);
}

TEST_F(World3DPage, FloorSymbolsFollowAPaletteSwitch) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    page->findChild<QCheckBox*>("floorSymbols")->setChecked(true);
    const WorldFrame& frame = page->view()->frame();
    const uint8_t before = frame.at(frame.width() / 2, frame.height() - 1);
    GamePalette reversed = context.palettes.current();
    std::reverse(reversed.entries.begin(), reversed.entries.end());
    context.palettes.setCurrent(reversed);
    const Rgb shown = reversed.entries[frame.at(frame.width() / 2, frame.height() - 1)];
    EXPECT_EQ(shown, context.palettes.current().entries[255 - before]); // the same colour
}

TEST_F(World3DPage, ThePerCellFloorModeNeedsTheThirdPlane) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    EXPECT_TRUE(page->setFloorMode(FloorMode::Colors));
    EXPECT_FALSE(page->setFloorMode(FloorMode::PlaneTextures));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "3rd plane is missing!");
    EXPECT_EQ(page->floorMode(), FloorMode::Colors);
}

TEST_F(World3DPage, EditPlanesFollowTheMapPageAndFlatsShowInTheSidePanel) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    SidePanel side(context);
    QObject::connect(&context.messages, &AppMessages::flatPensShown, &side,
                     &SidePanel::showFlatPens);
    auto checked = [&](const char* name) {
        return page->findChild<QToolButton*>(name)->isChecked();
    };
    page->findChild<QToolButton*>("editObjects")->click();
    EXPECT_TRUE(maps->action("editObjects")->isChecked());
    maps->action("editFloors")->trigger();
    EXPECT_TRUE(checked("editFloors"));
    EXPECT_EQ(page->editPlane(), WorldEditPlane::Floors);

    // Without floors shown there is no floor/ceiling plane to edit.
    EXPECT_FALSE(page->findChild<QToolButton*>("editFlats")->isEnabled());
    ASSERT_TRUE(page->setFloorMode(FloorMode::Colors));
    auto* colors = qobject_cast<FlatColorSelectWnd*>(page->flatChooser());
    ASSERT_NE(colors, nullptr);
    const QRect cell = colors->grid()->rect();
    QTest::mouseClick(colors->grid(), Qt::LeftButton, {},
                      QPoint(cell.width() * 5 / 32, cell.height() * 3 / 32));
    const int chosen =
        colors->grid()->indexAt(QPoint(cell.width() * 5 / 32, cell.height() * 3 / 32));
    EXPECT_EQ(context.pens.left.flat, chosen);
    EXPECT_TRUE(checked("editFlats"));
    EXPECT_EQ(side.penCaption()->text(), "Floor/Ceiling textures");
    EXPECT_EQ(side.nameLabel(true, kPenWall)->text(), QStringLiteral("Color %1").arg(chosen));
    // A click into the floor half paints the floor colour byte of the level.
    const QPoint floor(page->view()->width() / 2, page->view()->height() * 3 / 4);
    QTest::mousePress(page->view(), Qt::LeftButton, {}, floor);
    QTest::mouseRelease(page->view(), Qt::LeftButton, {}, floor);
    EXPECT_EQ(level().planes[0][0] & 0xFF, chosen);

    // Floors off: back to the walls, on both pages and in the side panel.
    ASSERT_TRUE(page->setFloorMode(FloorMode::None));
    EXPECT_TRUE(checked("editWalls"));
    EXPECT_TRUE(maps->action("editWalls")->isChecked());
    EXPECT_EQ(side.penCaption()->text(), "Walls");
    EXPECT_EQ(side.nameLabel(true, kPenWall)->text(), SidePanel::nothingText());
}

TEST_F(World3DPage, AMinimapClickPutsTheHiddenPointerOnTheViewer) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    CMiniMap* mini = page->miniMap();
    const QPoint click(30, 90);
    QTest::mousePress(mini, Qt::LeftButton, {}, click);
    int px = 0, py = 0;
    minimapViewerPixel(pose(), px, py);
    EXPECT_NE(QPoint(px, py) + QPoint(2, 2), click);
    EXPECT_LE((QCursor::pos() - mini->mapToGlobal(QPoint(px + 2, py + 2))).manhattanLength(), 1);
    QTest::mouseRelease(mini, Qt::LeftButton, {}, click);
}

} // namespace
} // namespace zentrik::gui

namespace zentrik::gui {
namespace {

// "Go to player start" (the button and Home), the viewer reset by a new set, and the cell in
// use reported after "Goto in 3DEdit" and after a placement.
TEST_F(World3DPage, ThePlayerStartAndTheCellInUseAreAlwaysAtHand) {
    ZENTRIK_REQUIRE_GAMEDATA();
    loadShareware();
    std::vector<QPoint> reported;
    QObject::connect(&context.messages, &AppMessages::mapCursor,
                     [&](int x, int y, quint16, quint16) { reported.emplace_back(x, y); });
    auto* position = page->findChild<QLabel*>("viewerPosition");
    emit context.messages.goTo3D(40, 20);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), QPoint(40, 20));
    EXPECT_TRUE(position->text().startsWith("X: 40.50  Y: 20.50"))
        << position->text().toStdString();

    page->findChild<QPushButton*>("goToStart")->click();
    EXPECT_EQ(pose().x, 29 * 65536 + 32768);
    EXPECT_EQ(pose().y, 57 * 65536 + 32768);
    EXPECT_EQ(reported.back(), QPoint(29, 57));
    EXPECT_TRUE(position->text().startsWith("X: 29.50  Y: 57.50"));
    emit context.messages.goTo3D(40, 20);
    QAction* home = page->findChild<QAction*>("goToStartKey");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->shortcut(), QKeySequence(Qt::Key_Home));
    home->trigger();
    EXPECT_EQ(pose().y, 57 * 65536 + 32768);

    // The view draws at the page's size, 600:375, never below 600 x 375: 860 x 537 here,
    // centred, with the door straight ahead in its middle column.
    WinWolfCtrl* view = page->view();
    EXPECT_GE(view->minimumWidth(), kViewWidth);
    EXPECT_GE(view->minimumHeight(), kViewHeight);
    view->resize(860, 840);
    EXPECT_EQ(view->frame().width(), 860);
    EXPECT_EQ(view->frame().height(), 537);
    EXPECT_EQ(view->image().size(), QSize(860, 537));
    EXPECT_EQ(view->frame().columns[430].kind, HitKind::Door);
    EXPECT_EQ(view->toFrame(QPoint(1, 420)), QPoint(1, 420 - 151)); // pixel for pixel
    EXPECT_EQ(view->toFrame(QPoint(859, 420)).x(), 859);
    EXPECT_EQ(view->toFrame(QPoint(430, 150)), QPoint(-1, -1)); // above the picture

    // A new set of the same level number starts on its player start again.
    emit context.messages.goTo3D(40, 20);
    prompter.expectPath((dir.path() / "GAMEMAPS.WL1").string());
    ASSERT_TRUE(maps->loadMaps());
    EXPECT_EQ(pose().x, 29 * 65536 + 32768);
    EXPECT_EQ(pose().y, 57 * 65536 + 32768);
}

} // namespace
} // namespace zentrik::gui
