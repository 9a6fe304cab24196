// The map page's mouse and keyboard as a user meets them: right clicks, the context menu,
// the Undo/Redo buttons, the clipboard and zoom keys and the previews drawn over the map.
#include "MapPageFixture.h"

namespace zentrik::gui {
namespace {

QRgb asShown(uint16_t c555) {
    QImage one(1, 1, QImage::Format_RGB555);
    one.setPixel(0, 0, qRgb(((c555 >> 10) & 31) << 3, ((c555 >> 5) & 31) << 3, (c555 & 31) << 3));
    return one.convertToFormat(QImage::Format_RGB32).pixel(0, 0);
}

TEST_F(MapPage, ARightClickStrokeEndsAndOpensNoMenuOverADrawingTool) {
    loadShareware();
    page->show();
    LevelMapCtrl* map = page->map();
    setPen(false, {9, 0, 0});
    const QPoint cell = at(10, 10);
    auto rightClickWithMenu = [&] {
        // As the platform delivers it: the press, then the menu event; a menu would take the
        // release.
        QTest::mousePress(map, Qt::RightButton, {}, cell);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, cell, map->mapToGlobal(cell));
        QCoreApplication::sendEvent(map, &menu);
    };
    rightClickWithMenu();
    EXPECT_EQ(wall(10, 10), 9);
    EXPECT_FALSE(page->windowMenu()->isVisible());
    const Plane drawn = level().planes[0];
    moveTo(20, 14, Qt::NoButton);
    EXPECT_EQ(level().planes[0], drawn) << "no phantom line toward the pointer";
    EXPECT_FALSE(page->tools().buttonHeld());
    EXPECT_TRUE(page->history().canUndo()) << "the stroke was closed as one step";
    QTest::mouseRelease(map, Qt::RightButton, {}, cell);

    // The Pipette picks with the right button: no menu there either, and the next click is
    // not swallowed.
    page->action("modePipette")->trigger();
    rightClickWithMenu();
    EXPECT_FALSE(page->windowMenu()->isVisible());
    QTest::mouseRelease(map, Qt::RightButton, {}, cell);
    EXPECT_EQ(page->tools().right.wall, 9);
    setPen(true, {0, 0, 0});
    QTest::mouseMove(map, at(11, 11));
    QTest::mousePress(map, Qt::LeftButton, {}, at(11, 11));
    QTest::mouseRelease(map, Qt::LeftButton, {}, at(11, 11));
    EXPECT_EQ(page->tools().left.wall, wall(11, 11));

    // The selection has no right-button use: there the menu is offered, and it ends the
    // button too.
    page->action("modeRectSelect")->trigger();
    rightClickWithMenu();
    EXPECT_TRUE(page->windowMenu()->isVisible());
    EXPECT_FALSE(page->tools().buttonHeld());
    page->windowMenu()->close();
    QTest::mouseRelease(map, Qt::RightButton, {}, cell);
}

TEST_F(MapPage, EscapeEndsAPenStrokeAsDrawn) {
    loadShareware();
    page->show();
    LevelMapCtrl* map = page->map();
    setPen(true, {9, 0, 0});
    QTest::mousePress(map, Qt::LeftButton, {}, at(10, 10));
    QTest::keyClick(map, Qt::Key_Escape);
    const Plane drawn = level().planes[0];
    moveTo(20, 10, Qt::LeftButton);
    QTest::mouseRelease(map, Qt::LeftButton, {}, at(20, 10));
    EXPECT_EQ(wall(10, 10), 9);
    EXPECT_EQ(level().planes[0], drawn) << "moves after Escape draw nothing";
    EXPECT_TRUE(page->history().canUndo());
}

TEST_F(MapPage, UndoAndRedoButtonsFollowTheHistoryAfterEveryCommand) {
    loadShareware();
    QAction* undo = page->action("undo");
    QAction* redo = page->action("redo");
    auto* add = page->findChild<QPushButton*>("addMap");
    auto* del = page->findChild<QPushButton*>("deleteMap");
    const std::vector<std::tuple<std::function<void()>, bool, bool>> steps{
        {[&] { add->click(); }, true, false},
        {[&] { page->doUndo(); }, false, true},
        {[&] { page->doRedo(); }, true, false},
        {[&] { del->click(); }, true, false},
        {[&] { page->doUndo(); }, true, true},
        {[&] { QTest::keyClicks(page->findChild<QLineEdit*>("mapName"), "x"); }, true, false},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        std::get<0>(steps[i])();
        EXPECT_EQ(undo->isEnabled(), std::get<1>(steps[i])) << "step " << i;
        EXPECT_EQ(redo->isEnabled(), std::get<2>(steps[i])) << "step " << i;
    }
}

TEST_F(MapPage, ClipboardAndZoomKeys) {
    loadShareware();
    page->show();
    page->activateWindow();
    if (!QTest::qWaitForWindowActive(page.get(), 1000))
        GTEST_SKIP() << "the window cannot be made active here";
    LevelMapCtrl* map = page->map();
    map->setFocus();
    page->action("modeRectSelect")->trigger();
    drag(10, 10, 11, 11);
    const uint16_t corner = wall(10, 10);
    QTest::keyClick(map, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(wall(10, 10), 0);
    QTest::keyClick(map, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(page->action("paste")->isChecked());
    click(10, 10);
    EXPECT_EQ(wall(10, 10), corner);
    QGuiApplication::clipboard()->clear();
    page->action("modeRectSelect")->trigger();
    drag(10, 10, 11, 11);
    QTest::keyClick(map, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(hasMapClip());
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier); // the paste
    EXPECT_EQ(wall(10, 10), 0);
    QTest::keyClick(map, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(wall(10, 10), corner);

    QWheelEvent wheel(QPointF(5, 5), map->mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    const std::vector<std::pair<std::function<void()>, int>> zooms{
        {[&] { QCoreApplication::sendEvent(map, &wheel); }, 2},
        {[&] { QTest::keyClick(map, Qt::Key_Plus, Qt::ControlModifier); }, 3},
        {[&] { QTest::keyClick(map, Qt::Key_Equal, Qt::ControlModifier); }, 4},
        {[&] { QTest::keyClick(map, Qt::Key_Plus, Qt::ControlModifier); }, 4},
        {[&] { QTest::keyClick(map, Qt::Key_Minus, Qt::ControlModifier); }, 3},
        {[&] { QTest::keyClick(map, Qt::Key_0, Qt::ControlModifier); }, 1},
    };
    for (size_t i = 0; i < zooms.size(); ++i) {
        zooms[i].first();
        EXPECT_EQ(map->zoom(), zooms[i].second) << "step " << i;
    }
}

TEST_F(MapPage, PreviewsOfRectanglePasteAndSelectionAreDrawnOverTheMap) {
    loadShareware();
    LevelMapCtrl* map = page->map();
    page->show();
    const uint16_t plain = wall(0, 0); // the outer wall of level 1
    const int inside = 3;              // a pixel inside the symbol

    // Rectangle: the preview shows the pen's wall before anything is written.
    setPen(true, {8, 0, 0});
    page->action("modeRectangle")->trigger();
    QTest::mousePress(map, Qt::LeftButton, {}, at(0, 0));
    moveTo(1, 1, Qt::LeftButton);
    QImage shot = map->grab().toImage();
    EXPECT_EQ(shot.pixel(8 + 1 + inside, 8 + 1 + inside),
              asShown(context.symbols.strip.symbol(8)[inside * 7 + inside]));
    EXPECT_EQ(wall(1, 1), plain);
    QTest::keyClick(map, Qt::Key_Escape);
    QTest::mouseRelease(map, Qt::LeftButton, {}, at(1, 1));
    shot = map->grab().toImage();
    EXPECT_EQ(shot.pixel(8 + 1 + inside, 8 + 1 + inside),
              asShown(context.symbols.strip.symbol(plain)[inside * 7 + inside]));

    // Paste: the block follows the mouse.
    MapClipBlock block;
    block.width = 2;
    block.height = 2;
    std::fill_n(block.walls.begin(), 4, uint16_t(8));
    putMapClip(encodeMapClip(block));
    ASSERT_TRUE(page->paste());
    QTest::mouseMove(map, at(20, 20));
    shot = map->grab().toImage();
    EXPECT_EQ(shot.pixel(20 * 8 + 1 + inside, 20 * 8 + 1 + inside),
              asShown(context.symbols.strip.symbol(8)[inside * 7 + inside]));
    EXPECT_NE(wall(20, 20), 8);

    // Selection: a frame around the selected cells.
    page->action("modeRectSelect")->trigger();
    EXPECT_FALSE(page->tools().pasteBlock().has_value()); // leaving Paste drops the preview
    const QImage before = map->grab().toImage();
    drag(30, 30, 33, 33);
    shot = map->grab().toImage();
    int changed = 0;
    for (int x = 30 * 8; x <= 34 * 8; ++x)
        changed += shot.pixel(x, 30 * 8) != before.pixel(x, 30 * 8);
    EXPECT_GT(changed, 8);
    EXPECT_EQ(shot.pixel(31 * 8 + 4, 31 * 8 + 4), before.pixel(31 * 8 + 4, 31 * 8 + 4));
}

} // namespace
} // namespace zentrik::gui
