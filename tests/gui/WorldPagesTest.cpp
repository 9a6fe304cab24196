#include "app/SidePanel.h"
#include "EditorFixture.h"
#include "mapedit/CPropMapEdit.h"
#include "world/CProp10Symbols.h"
#include "world/SymbolBox.h"
#include "world/SymbolEditCtrl.h"
#include "world/SymbolImages.h"
#include "world/SymbolPickCtrl.h"
#include "world/TileListPage.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::EditorTest;

class WorldPagesTest : public EditorTest {
protected:
    template <class T> T* pageOf(const char* name) {
        if (!window)
            start();
        auto* p = qobject_cast<T*>(window->page(QString::fromLatin1(name)));
        EXPECT_NE(p, nullptr) << name;
        showPage(p);
        return p;
    }
    void clickRow(TileListPage* list, int row, Qt::MouseButton button) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), button, {}, r.center());
    }
};

TEST_F(WorldPagesTest, TileListsFollowTheOrderOfListsTxtWithEnlargedSymbols) {
    auto* walls = pageOf<TileListPage>("CPropWalls");
    auto* objects = pageOf<TileListPage>("CPropObjects");
    auto* floors = pageOf<TileListPage>("CPropFloors");
    const TileNames& names = context->symbols.names;
    const auto used = [](const std::vector<int>& order) {
        return int(std::find(order.begin(), order.end(), -1) - order.begin());
    };
    EXPECT_EQ(walls->count(), used(names.wallOrder));
    EXPECT_EQ(objects->count(), used(names.objectOrder));
    EXPECT_EQ(floors->count(), used(names.floorOrder));
    EXPECT_GT(walls->count(), 50);
    EXPECT_EQ(walls->item(0)->text(), "1 Grey stone 1");
    EXPECT_EQ(floors->item(0)->text(), "106 Ambush (deaf guard)");
    EXPECT_EQ(walls->iconSize(), QSize(14, 14));

    // The icon is the symbol twice its size, pixel for pixel.
    const QImage icon = walls->item(0)->icon().pixmap(14, 14).toImage();
    const QImage symbol = context->symbolImage(false, 1);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            ASSERT_EQ(icon.pixel(x, y) & 0xFFFFFF, symbol.pixel(x / 2, y / 2) & 0xFFFFFF)
                << x << "," << y;
    test::saveSnapshot(*window, "walls-page");
}

TEST_F(WorldPagesTest, ClicksInTheListsSetThePensAndTheEditPlane) {
    auto* objects = pageOf<TileListPage>("CPropObjects");
    QSignalSpy planes(&context->messages, &AppMessages::editPlaneChanged);
    const int row = 3;
    const auto value = uint16_t(context->symbols.names.objectOrder[row]);
    clickRow(objects, row, Qt::RightButton);
    EXPECT_EQ(context->pens.right.object, value);
    EXPECT_EQ(context->pens.left, Pen{});
    EXPECT_EQ(context->editPlane, EditPlane::Objects);
    EXPECT_EQ(planes.count(), 1);
    EXPECT_EQ(window->sidePanel()->nameLabel(false, 2)->text().toStdString(),
              context->objectLabel(value));

    auto* floors = pageOf<TileListPage>("CPropFloors");
    clickRow(floors, 0, Qt::LeftButton);
    EXPECT_EQ(context->pens.left.floor, 106);
    EXPECT_EQ(context->editPlane, EditPlane::Floors);

    auto* walls = pageOf<TileListPage>("CPropWalls");
    walls->setCurrentRow(1);
    QTest::keyClick(walls, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(context->pens.right.wall, context->symbols.names.wallOrder[1]);
    EXPECT_EQ(context->editPlane, EditPlane::Walls);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WorldPagesTest, TheMapPageFollowsTheListsAndTheListsFollowTheMapPage) {
    auto* map = pageOf<CPropMapEdit>("CPropMapEdit");
    auto* objects = pageOf<TileListPage>("CPropObjects");
    QSignalSpy planes(&context->messages, &AppMessages::editPlaneChanged);
    clickRow(objects, 0, Qt::LeftButton);
    EXPECT_EQ(map->tools().target, PenTarget::Objects);
    EXPECT_TRUE(map->action("editObjects")->isChecked());
    EXPECT_EQ(planes.count(), 1); // the map page does not announce the switch again

    auto* floors = pageOf<TileListPage>("CPropFloors");
    clickRow(floors, 0, Qt::RightButton);
    EXPECT_EQ(map->tools().target, PenTarget::Floors);
    EXPECT_TRUE(map->action("editFloors")->isChecked());
    EXPECT_EQ(planes.count(), 2);

    // The other way: the map page's own switch reaches the context once, and a pen change of
    // kind 0 then lands in that plane on both sides.
    map->action("editWalls")->trigger();
    EXPECT_EQ(context->editPlane, EditPlane::Walls);
    EXPECT_EQ(planes.count(), 3);
    map->action("editWalls")->trigger();
    EXPECT_EQ(planes.count(), 3);
    emit context->messages.penChanged(true, kPenOfEditPlane, 0, 9);
    EXPECT_EQ(context->pens.left.wall, 9);
    EXPECT_EQ(map->tools().left.wall, 9);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WorldPagesTest, SymbolsTabLoadsAStripKeepsTheNamesAndPicksPens) {
    auto* page = pageOf<CProp10Symbols>("CProp10Symbols");
    ASSERT_EQ(page->setList()->count(), 2);
    const TileNames namesBefore = context->symbols.names;
    const SymbolSet spear = LoadSymbolSet(program.path(), "Spear of Destiny", prompter);
    page->setList()->setCurrentRow(0); // "Spear of Destiny"
    EXPECT_EQ(context->symbols.strip, spear.strip);
    EXPECT_EQ(context->symbols.names.plane0, namesBefore.plane0);
    test::saveSnapshot(*window, "symbols-page");

    // Strip cells: column + 64 x row; the lower half are objects.
    SymbolPickCtrl* strip = page->strip();
    const int z = strip->zoom() * kSymbolSize;
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(3 * z + 1, 9 * z + 1));
    EXPECT_EQ(context->pens.left.object, 3 + 64);
    QTest::mouseClick(strip, Qt::RightButton, {}, QPoint(5 * z + z - 1, 0));
    EXPECT_EQ(context->pens.right.wall, 5);
    EXPECT_EQ(page->editedIndex(), 5);
    EXPECT_EQ(page->painter()->symbol(), context->symbols.strip.symbol(5));
    EXPECT_EQ(strip->cellAt(QPoint(100000, 100000)), 63 + 64 * 15);
}

TEST_F(WorldPagesTest, TheSymbolBoxShowsTheStripTallAndPicksTheSameCells) {
    auto* page = pageOf<CProp10Symbols>("CProp10Symbols");
    SymbolBox* box = page->symbolBox();
    EXPECT_FALSE(box->isVisible());
    page->boxButton()->click();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), "SymbolBox");
    SymbolPickVertCtrl* tall = box->picker();
    EXPECT_EQ(tall->size(), QSize(16 * 7 * tall->zoom(), 64 * 7 * tall->zoom()));

    // Cell 17 (column 17 of the stored strip) stands in row 1, column 1; cell 1000 (row 15,
    // column 40) in row 62, column 8.
    const auto shownAt = [&](int column, int row, int px) {
        return tall->shown().pixel(column * 7 + px % 7, row * 7 + px / 7) & 0xFFFFFF;
    };
    const auto stored = [&](int index, int px) {
        return rgbOf555(context->symbols.strip.symbol(index)[size_t(px)]) & 0xFFFFFF;
    };
    for (int px : {0, 24, 48}) {
        EXPECT_EQ(shownAt(1, 1, px), stored(17, px));
        EXPECT_EQ(shownAt(8, 62, px), stored(1000, px));
    }

    const int z = tall->zoom() * 7;
    QTest::mouseClick(tall, Qt::LeftButton, {}, QPoint(2 * z + 1, 40 * z + z - 1));
    EXPECT_EQ(context->pens.left.object, 40 * 16 + 2 - 512);
    QTest::mouseClick(tall, Qt::RightButton, {}, QPoint(5 * z, 3 * z));
    EXPECT_EQ(context->pens.right.wall, 3 * 16 + 5);
    EXPECT_EQ(tall->cellAt(QPoint(100000, 100000)), 1023);
    EXPECT_EQ(tall->cellAt(QPoint(-5, -5)), 0);

    // A changed strip reaches the box too.
    Symbol bright;
    bright.fill(0x7FFF);
    context->symbols.strip.setSymbol(17, bright);
    emit context->messages.symbolsChanged();
    EXPECT_EQ(shownAt(1, 1, 24), 0xFFFFFFu);
    test::saveSnapshot(*box, "symbol-box");

    box->close();
    EXPECT_FALSE(page->boxButton()->isChecked());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WorldPagesTest, PaintingAndUseSymbolChangeTheStripAndTheLists) {
    auto* page = pageOf<CProp10Symbols>("CProp10Symbols");
    emit context->messages.penChanged(true, kPenWall, 0, 1);
    ASSERT_EQ(page->editedIndex(), 1);

    // Take a colour from the picking editor, then paint past the corner: clamped to (6, 6).
    const uint16_t taken = page->colorPicker()->symbol()[0];
    QTest::mouseClick(page->colorPicker(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(page->painter()->color(), taken);
    const uint16_t paint = uint16_t(taken ^ 0x7FFF);
    page->painter()->setColor(paint);
    QTest::mouseClick(page->painter(), Qt::LeftButton, {}, QPoint(55, 55));
    EXPECT_EQ(page->painter()->symbol()[48], paint);
    EXPECT_NE(context->symbols.strip.symbol(1)[48], paint); // not yet in the strip

    auto* walls = pageOf<TileListPage>("CPropWalls");
    page->useButton()->click();
    EXPECT_EQ(context->symbols.strip.symbol(1)[48], paint);
    const QImage icon = walls->item(0)->icon().pixmap(14, 14).toImage();
    EXPECT_EQ(icon.pixel(13, 13) & 0xFFFFFF, rgbOf555(paint) & 0xFFFFFF);

    const fs::path saved = program / "out.bmp";
    prompter.expectPath(saved.string());
    page->saveButton()->click();
    EXPECT_EQ(prompter.fileDialogs.back().filter, "Bitmap|*.BMP|All files|*.*||");
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, "Symbols.BMP");
    const auto bytes = test::readBytes(saved);
    ASSERT_EQ(bytes.size(), kStripBmpBytes);
    auto back = SymbolStrip::decodeBmp(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, context->symbols.strip);
}

TEST_F(WorldPagesTest, ASetWithoutSymbolsSaysSoAndKeepsTheStrip) {
    fs::create_directories(program / "MapObjects" / "Empty");
    auto* page = pageOf<CProp10Symbols>("CProp10Symbols");
    const SymbolStrip before = context->symbols.strip;
    page->setList()->setCurrentRow(0); // "Empty", sorted first
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Zentrik: Symbols.bmp not available!");
    EXPECT_EQ(context->symbols.strip, before);
}

TEST_F(WorldPagesTest, AWheelNotchScrollsThePagesTheSettingAsksFor) {
    auto* objects = pageOf<TileListPage>("CPropObjects");
    QScrollBar* bar = objects->verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->pageStep());
    const int fourPages = std::min(4 * bar->pageStep(), bar->maximum());
    const auto notch = [&](int delta) {
        QWheelEvent e(QPointF(5, 5), objects->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(objects->viewport(), &e);
    };
    notch(-120);
    EXPECT_EQ(bar->value(), bar->pageStep());
    context->settings.scrollDelta = 2; // "3 Pages"
    context->applySettings();
    notch(-120);
    EXPECT_EQ(bar->value(), fourPages);
    notch(20);
    notch(10); // less than a step of 40 waits for more
    EXPECT_EQ(bar->value(), fourPages);
    notch(30); // 60: one page up, 20 kept
    EXPECT_EQ(bar->value(), fourPages - bar->pageStep());
}

TEST(SymbolEditCtrl, ClampsAndRoundsThePointerToAPixel) {
    EXPECT_EQ(SymbolEditCtrl::cellAt(QPoint(60, 70)), QPoint(6, 6));
    EXPECT_EQ(SymbolEditCtrl::cellAt(QPoint(-3, 8)), QPoint(0, 1));
    EXPECT_EQ(SymbolEditCtrl::cellAt(QPoint(15, 16)), QPoint(1, 2));
    EXPECT_EQ(rgbOf555(0x7FFF), qRgb(255, 255, 255));
    EXPECT_EQ(pixel555Of(rgbOf555(0x1234)), 0x1234);
}

} // namespace
} // namespace zentrik::gui
