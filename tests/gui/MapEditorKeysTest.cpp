// The map page as a map editor: the edit plane always in view, Ctrl+wheel zooming about the
// pointer, PageUp/PageDown through the levels and Home to the player start.
#include "mapedit/EditPlaneBar.h"
#include "MapPageFixture.h"
#include "window/SidePanel.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace zentrik::gui {
namespace {

TEST_F(MapPage, TheEditPlaneIsAlwaysShownOnThePageAndInTheSidePanel) {
    loadShareware();
    SidePanel side(context);
    page->resize(1600, 900);
    page->show();
    EditPlaneBar* bar = page->planeBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->planeLabel()->isVisible());
    EXPECT_EQ(bar->planeText(), "Walls");
    EXPECT_EQ(side.penCaption()->text(), "Walls");
    // A click in the Objects list switches the plane: both say so, the page's row flashes.
    context.editPlane = EditPlane::Objects;
    emit context.messages.editPlaneChanged();
    EXPECT_EQ(page->tools().target, PenTarget::Objects);
    EXPECT_EQ(bar->planeLabel()->text(), "Objects");
    EXPECT_TRUE(bar->isFlashing());
    EXPECT_EQ(side.penCaption()->text(), "Objects");
    // The row's own buttons switch it back.
    auto* walls = bar->findChild<QToolButton*>("editWallsButton");
    ASSERT_NE(walls, nullptr);
    EXPECT_TRUE(walls->isVisible());
    walls->click();
    EXPECT_EQ(page->tools().target, PenTarget::Walls);
    EXPECT_EQ(bar->planeText(), "Walls");
    EXPECT_EQ(side.penCaption()->text(), "Walls");
    bar->findChild<QToolButton*>("editFloorsButton")->click();
    EXPECT_EQ(side.penCaption()->text(), "Floors");
    EXPECT_EQ(bar->planeText(), "Floors");
}

TEST_F(MapPage, CtrlWheelZoomsAboutThePointer) {
    loadShareware();
    page->resize(900, 700);
    page->show();
    LevelMapCtrl* map = page->map();
    auto* area = page->findChild<QScrollArea*>("mapScroll");
    ASSERT_NE(area, nullptr);
    map->setZoom(2);
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum() / 2);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum() / 2);
    for (int steps : {1, 1, -1, -1}) {
        // The pointer over the centre of a cell near the middle of what is shown.
        QWidget* vp = area->viewport();
        const QPoint inViewport(vp->width() / 2 + 13, vp->height() / 2 - 21);
        const QPoint inMap = map->mapFrom(vp, inViewport);
        const QPoint cell = map->cellAt(inMap);
        QWheelEvent wheel(QPointF(inMap), map->mapToGlobal(QPointF(inMap)), {}, {0, 120 * steps},
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        const int before = map->zoom();
        QCoreApplication::sendEvent(map, &wheel);
        EXPECT_EQ(map->zoom(), before + steps);
        EXPECT_EQ(map->cellAt(map->mapFrom(vp, inViewport)), cell) << "zoom " << map->zoom();
    }
}

TEST_F(MapPage, PageKeysWalkTheLevelsAndHomeCentresThePlayerStart) {
    loadShareware();
    page->resize(900, 700);
    page->show();
    QAction* next = page->action("nextLevelKey");
    QAction* prev = page->action("prevLevelKey");
    QAction* home = page->action("playerStartKey");
    ASSERT_TRUE(next && prev && home);
    EXPECT_EQ(next->shortcut(), QKeySequence(Qt::Key_PageDown));
    EXPECT_EQ(prev->shortcut(), QKeySequence(Qt::Key_PageUp));
    EXPECT_EQ(home->shortcut(), QKeySequence(Qt::Key_Home));
    next->trigger();
    next->trigger();
    EXPECT_EQ(context.workspace.currentLevel(), 2);
    prev->trigger();
    EXPECT_EQ(context.workspace.currentLevel(), 1);
    prev->trigger();

    LevelMapCtrl* map = page->map();
    map->setZoom(4);
    auto* area = page->findChild<QScrollArea*>("mapScroll");
    area->horizontalScrollBar()->setValue(0);
    area->verticalScrollBar()->setValue(0);
    const auto start = page->playerStartCell();
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, QPoint(29, 57)); // level 1's start
    home->trigger();
    QWidget* vp = area->viewport();
    const QPoint centre = map->mapFrom(vp, QPoint(vp->width() / 2, vp->height() / 2));
    const QPoint shown = map->cellAt(centre);
    EXPECT_LE(std::abs(shown.x() - start->x()), 1);
    // Row 57 lies too near the bottom to be centred: it is in view, the map scrolled down.
    const QRect visible(map->mapFrom(vp, QPoint(0, 0)), vp->size());
    const int pitch = map->controller().view.pitch() * 4;
    EXPECT_TRUE(
        visible.contains(QPoint(start->x() * pitch + pitch / 2, start->y() * pitch + pitch / 2)));
    EXPECT_EQ(area->verticalScrollBar()->value(), area->verticalScrollBar()->maximum());
}

} // namespace
} // namespace zentrik::gui
