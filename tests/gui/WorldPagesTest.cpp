#include "context/SymbolImages.h"
#include "EditorFixture.h"
#include "window/SidePanel.h"
#include "world/CProp10Symbols.h"
#include "world/SymbolEditCtrl.h"
#include "world/SymbolPickCtrl.h"
#include "world/TileListPage.h"

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
    void clickRow(TileListPage* list, int row, Qt::MouseButton button) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), button, {}, r.center());
    }
};

TEST_F(WorldPagesTest, ClicksInTheListsSetThePensAndTheEditPlane) {
    auto* objects = &page<TileListPage>("CPropObjects");
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

    auto* floors = &page<TileListPage>("CPropFloors");
    clickRow(floors, 0, Qt::LeftButton);
    EXPECT_EQ(context->pens.left.floor, 106);
    EXPECT_EQ(context->editPlane, EditPlane::Floors);

    auto* walls = &page<TileListPage>("CPropWalls");
    walls->setCurrentRow(1);
    QTest::keyClick(walls, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(context->pens.right.wall, context->symbols.names.wallOrder[1]);
    EXPECT_EQ(context->editPlane, EditPlane::Walls);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(WorldPagesTest, SymbolsTabLoadsAStripKeepsTheNamesAndPicksPens) {
    auto* page = &EditorTest::page<CProp10Symbols>("CProp10Symbols");
    ASSERT_EQ(page->setList()->count(), 2);
    const TileNames namesBefore = context->symbols.names;
    const SymbolSet spear = LoadSymbolSet(program.path(), "Spear of Destiny", prompter);
    page->setList()->setCurrentRow(0); // "Spear of Destiny"
    EXPECT_EQ(context->symbols.strip, spear.strip);
    EXPECT_EQ(context->symbols.names.plane0, namesBefore.plane0);

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

TEST_F(WorldPagesTest, PaintingAndUseSymbolChangeTheStripAndTheLists) {
    auto* page = &EditorTest::page<CProp10Symbols>("CProp10Symbols");
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

    auto* walls = &EditorTest::page<TileListPage>("CPropWalls");
    page->useButton()->click();
    EXPECT_EQ(context->symbols.strip.symbol(1)[48], paint);
    const QImage icon = walls->item(0)->icon().pixmap(14, 14).toImage();
    EXPECT_EQ(icon.pixel(13, 13) & 0xFFFFFF, rgbOf555(paint) & 0xFFFFFF);

    const fs::path saved = program / "out.bmp";
    prompter.expectPath(saved.string());
    page->saveButton()->click();
    EXPECT_EQ(prompter.fileDialogs.back().filter, "Bitmap|*.BMP|All files|*.*||");
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, "Symbols.BMP");
    auto back = SymbolStrip::decodeBmp(test::readBytes(saved));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, context->symbols.strip);
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
