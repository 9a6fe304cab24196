// The wall and object choosers: which picture each cell shows, the frames of the two pens,
// wheel scrolling, and clicks setting the map page's pens.
#include "choosers/SpriteSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "context/AppContext.h"
#include "mapedit/CPropMapEdit.h"
#include "TestSupport.h"

#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace zentrik::gui {
namespace {

WallSet walls(int count) {
    WallSet w;
    for (int i = 0; i < count; ++i)
        w.images.emplace_back(IndexedImage(64, uint8_t(i)));
    return w;
}

GamePalette greyPalette() {
    GamePalette p;
    for (int i = 0; i < kPaletteEntries; ++i)
        p.entries[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i)};
    return p;
}

QPoint centreOf(const ThumbnailGrid& g, int cell) {
    return g.cellRect(cell).center();
}

TEST(TextureChooser, FramesAndWheel) {
    const WallSet set = walls(80); // 41 tiles: 11 rows, 5 of them hidden
    const GamePalette pal = greyPalette();
    TextureSelectWnd wnd;
    wnd.setData(&set, &pal);
    wnd.show();
    wnd.setPens(2, 2);
    QImage shot = wnd.grab().toImage();
    const QRect r2 = wnd.cellRect(2);
    EXPECT_EQ(QColor(shot.pixel(r2.left() + 1, r2.center().y())), QColor(Qt::yellow));
    wnd.setPens(1, 2);
    shot = wnd.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(r2.left() + 1, r2.center().y())), QColor(Qt::red));
    const QRect r1 = wnd.cellRect(1);
    EXPECT_EQ(QColor(shot.pixel(r1.left() + 1, r1.center().y())), QColor(Qt::green));

    QWheelEvent down(QPointF(10, 10), wnd.mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -240),
                     Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&wnd, &down);
    EXPECT_EQ(wnd.firstRow(), 2);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::sendEvent(&wnd, &down);
    EXPECT_EQ(wnd.firstRow(), 5); // the last row stays in view
    EXPECT_EQ(wnd.cellAt(QPoint(1, 1)), 20);
}

TEST(Choosers, ClicksSetTheMapPagesPens) {
    test::TempDir dir;
    test::StrictPrompter prompter;
    AppContext context(ProgramPaths{dir.path(), dir.path() / "user"});
    context.prompter = &prompter;
    CPropMapEdit page(context);
    const WallSet set = walls(20);
    SpriteSet sprites;
    const GamePalette pal = greyPalette();
    page.setChooserData(&set, &sprites, &pal);
    TextureSelectWnd* tex = page.textureChooser();
    tex->show();
    QTest::mouseClick(tex, Qt::LeftButton, {}, centreOf(*tex, 7));
    QTest::mouseClick(tex, Qt::RightButton, {}, centreOf(*tex, 3));
    EXPECT_EQ(page.tools().left.wall, 7);
    EXPECT_EQ(page.tools().right.wall, 3);
    EXPECT_EQ(context.pens.left.wall, 7); // the program's pens, seen by every page
    EXPECT_EQ(tex->framedLeft(), 7);
    EXPECT_EQ(tex->framedRight(), 3);

    SymbolSet symbols;
    symbols.names.objectOrder[0] = 23;
    symbols.names.objectOrder[1] = 24;
    page.setSymbolSet(symbols);
    SpriteSelectWnd* spr = page.spriteChooser();
    spr->show();
    QTest::mouseClick(spr, Qt::RightButton, {}, centreOf(*spr, 1));
    EXPECT_EQ(page.tools().right.object, 24);
    EXPECT_EQ(spr->framedRight(), 1);
    QTest::mouseClick(spr, Qt::LeftButton, {}, QPoint(5, 300)); // no cell there
    EXPECT_EQ(page.tools().left.object, 0);
}

} // namespace
} // namespace zentrik::gui
