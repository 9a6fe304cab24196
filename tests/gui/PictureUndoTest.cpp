// Undo and redo on the picture pages as the user reaches them: the page's keys wherever the
// focus is, the buttons greyed out without a step, each chunk's own history across chunk
// switches, quick clicks, and a full-screen picture filled and taken back.
#include "pages/CProp5Textures.h"
#include "pages/PixelData.h"
#include "vga/CProp11Screens.h"
#include "vga/CProp12Graphics.h"
#include "vga/CProp18Tile8.h"
#include "vga/CPropPageFont.h"
#include "VgaFixture.h"
#include "vgagraph/FontOps.h"
#include "widgets/ChunkStrip.h"
#include "widgets/ColorGrid.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QUrl>

namespace zentrik::gui {
namespace {

// A file dragged from a file manager and dropped on the page; the page must take the drag.
void drop(QWidget& page, const std::filesystem::path& file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &drop);
}

// The window made active, as for a user: the page's window-wide shortcuts answer.
void activate(QWidget& window) {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

class PictureUndoTest : public EditorTest {
protected:
    PageFiles& files() { return PixelData::of(*context).files(); }
    CProp5Textures& walls() {
        start();
        vswap = dir.copyGameFile("wl1/VSWAP.WL1");
        EXPECT_TRUE(context->workspace.loadWalls(vswap));
        auto& p = page<CProp5Textures>("CProp5Textures");
        activate(*window);
        return p;
    }
    uint8_t wallPixel(int wall, ChunkPoint p) {
        return files().walls.images[size_t(wall)]->at(p.x, p.y);
    }
    static QPoint screen(PixelChunkPage& p, ChunkPoint at) {
        return p.editorPanel()->view()->toScreen(at) + QPoint(1, 1);
    }
    static void click(PixelChunkPage& p, ChunkPoint at) {
        QTest::mouseClick(p.editorPanel()->view()->viewport(), Qt::LeftButton, {}, screen(p, at));
    }
    // A key as the window gets it, with the focus on `focus`.
    void key(QWidget* focus, Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        focus->setFocus();
        QTest::keyClick(focus, k, m);
    }
    static bool canUndo(PixelChunkPage& p) { return p.editorPanel()->undoAction()->isEnabled(); }
    static bool canRedo(PixelChunkPage& p) { return p.editorPanel()->redoAction()->isEnabled(); }

    test::TempDir dir;
    std::filesystem::path vswap;
};

TEST_F(PictureUndoTest, EachWallKeepsItsHistoryAcrossChunkSwitches) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    QWidget* view = p.editorPanel()->view();
    p.showChunk(10);
    const uint8_t old10 = wallPixel(10, {4, 4});
    p.editorPanel()->pickColour(uint8_t(old10 + 1), false);
    EXPECT_FALSE(canUndo(p));
    click(p, {4, 4});
    EXPECT_TRUE(canUndo(p));
    EXPECT_FALSE(canRedo(p));
    key(view, Qt::Key_PageDown, Qt::NoModifier);
    ASSERT_EQ(p.current(), 11);
    EXPECT_FALSE(canUndo(p)) << "wall 11 has nothing to undo";
    key(view, Qt::Key_Z); // nothing on wall 11: wall 10's history must survive it
    const uint8_t old11 = wallPixel(11, {2, 2});
    p.editorPanel()->pickColour(uint8_t(old11 + 1), false);
    click(p, {2, 2});
    key(view, Qt::Key_PageUp, Qt::NoModifier);
    ASSERT_EQ(p.current(), 10);
    ASSERT_TRUE(canUndo(p));
    key(view, Qt::Key_Z);
    EXPECT_EQ(wallPixel(10, {4, 4}), old10);
    EXPECT_FALSE(canUndo(p));
    EXPECT_TRUE(canRedo(p));
    p.showChunk(11);
    EXPECT_FALSE(canRedo(p));
    key(view, Qt::Key_Z);
    EXPECT_EQ(wallPixel(11, {2, 2}), old11);
    p.showChunk(10);
    key(view, Qt::Key_Y);
    EXPECT_EQ(wallPixel(10, {4, 4}), uint8_t(old10 + 1)) << "wall 10's redo came back with it";
}

TEST_F(PictureUndoTest, UndoAndRedoKeysWorkWithTheFocusOffTheCanvas) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    p.showChunk(3);
    const uint8_t old = wallPixel(3, {7, 7});
    p.editorPanel()->pickColour(uint8_t(old + 1), false);
    click(p, {7, 7});
    auto* scroll = p.findChild<QScrollBar*>(QStringLiteral("ChunkScroll"));
    ASSERT_NE(scroll, nullptr);
    key(scroll, Qt::Key_Z);
    EXPECT_EQ(wallPixel(3, {7, 7}), old) << "Ctrl+Z with the scroll bar focused";
    QPushButton* import = nullptr;
    for (auto* b : p.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Import"))
            import = b;
    ASSERT_NE(import, nullptr);
    key(import, Qt::Key_Y);
    EXPECT_EQ(wallPixel(3, {7, 7}), uint8_t(old + 1)) << "Ctrl+Y with a button focused";
    key(import, Qt::Key_Z);
    key(p.editorPanel()->colourGrid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(wallPixel(3, {7, 7}), uint8_t(old + 1)) << "Ctrl+Shift+Z redoes too";
    EXPECT_EQ(scroll->value(), 3) << "the keys did not move the scroll bar";
}

TEST_F(PictureUndoTest, ADoubleClickPaintsLikeTwoClicks) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    const uint8_t colour = uint8_t(wallPixel(0, {30, 5}) + 1);
    p.editorPanel()->pickColour(colour, false);
    QWidget* viewport = p.editorPanel()->view()->viewport();
    // Two quick clicks: press, release, then the second press arrives as a double click.
    click(p, {30, 5});
    const QPointF at = screen(p, {31, 5});
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dbl);
    QMouseEvent up(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &up);
    EXPECT_EQ(wallPixel(0, {30, 5}), colour);
    EXPECT_EQ(wallPixel(0, {31, 5}), colour) << "the second click painted";
}

TEST_F(PictureUndoTest, UndoBackToTheLoadedWallsClearsTheTitlesStar) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    QWidget* view = p.editorPanel()->view();
    const auto marked = [this] { return window->windowTitle().endsWith(QStringLiteral(" *")); };
    ASSERT_FALSE(marked());
    p.showChunk(3);
    p.editorPanel()->pickColour(uint8_t(wallPixel(3, {7, 7}) + 1), false);
    click(p, {7, 7});
    EXPECT_TRUE(marked());
    key(view, Qt::Key_Z);
    EXPECT_FALSE(marked()) << "undone back to the loaded wall";
    EXPECT_FALSE(context->workspace.isModified(DataSet::Walls));
    key(view, Qt::Key_Y);
    EXPECT_TRUE(marked()) << "redo brings the change back";

    p.showChunk(4); // two walls changed, one undone: still unsaved
    click(p, {1, 1});
    key(view, Qt::Key_Z);
    EXPECT_TRUE(marked());
    p.showChunk(3);
    key(view, Qt::Key_Z);
    EXPECT_FALSE(marked());
}

TEST_F(PictureUndoTest, InsertAndRemoveSayWhatShiftsAndUndo) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    QWidget* view = p.editorPanel()->view();
    ASSERT_EQ(files().walls.count(), 106);
    p.showChunk(11);
    const IndexedImage wall12 = *files().walls.images[12];
    prompter.expectQuestion(Answer::No);
    p.insertChunk();
    EXPECT_EQ(files().walls.count(), 106) << "No inserts nothing";
    EXPECT_EQ(prompter.questions.back().caption, "Insert wall?");
    EXPECT_EQ(prompter.questions.back().text.rfind(
                  "Walls 12\u2013105 become 13\u2013106; the game addresses walls by number", 0),
              0u)
        << prompter.questions.back().text;
    prompter.expectQuestion(Answer::Yes);
    p.insertChunk();
    ASSERT_EQ(files().walls.count(), 107);
    EXPECT_EQ(p.current(), 12);
    EXPECT_TRUE(canUndo(p));
    key(view, Qt::Key_Z);
    ASSERT_EQ(files().walls.count(), 106);
    EXPECT_EQ(*files().walls.images[12], wall12);

    // A painted wall removed and brought back keeps its paint, raw block included.
    p.showChunk(5);
    p.editorPanel()->pickColour(uint8_t(wallPixel(5, {0, 0}) + 1), false);
    click(p, {0, 0});
    const IndexedImage painted = *files().walls.images[5];
    const std::vector<uint8_t> raw = files().walls.raw;
    prompter.expectQuestion(Answer::Yes);
    p.removeChunk();
    EXPECT_EQ(prompter.questions.back().caption, "Remove wall?");
    ASSERT_EQ(files().walls.count(), 105);
    auto* undo = p.editorPanel()->undoAction();
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    ASSERT_EQ(files().walls.count(), 106);
    EXPECT_EQ(*files().walls.images[5], painted);
    EXPECT_EQ(files().walls.raw, raw);
    EXPECT_EQ(p.current(), 5);
}

TEST_F(PictureUndoTest, ExportsProposeNumberedNamesInTheLastFolder) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    const auto out = dir / "exports";
    std::filesystem::create_directory(out);
    p.showChunk(12);
    prompter.expectPath((out / "mine.png").string());
    p.exportChunk();
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, "wall-012.png");
    EXPECT_TRUE(std::filesystem::exists(out / "mine.png"));
    p.showChunk(13);
    prompter.expectPath(std::nullopt);
    p.exportChunk();
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, (out / "wall-013.png").string());
    prompter.expectPath(std::nullopt);
    p.importChunk();
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, "") << "no pattern as a file name";

    const auto all = dir / "all";
    std::filesystem::create_directory(all);
    prompter.expectPath(all.string());
    p.exportAllChunks();
    EXPECT_TRUE(std::filesystem::exists(all / "wall-000.png"));
    EXPECT_TRUE(std::filesystem::exists(all / "wall-001.png"));
    EXPECT_FALSE(std::filesystem::exists(all / "wall-056.png")) << "an empty page is skipped";
    EXPECT_EQ(prompter.messages.back().caption, "Export all");
    EXPECT_EQ(p.current(), 13);
    EXPECT_EQ(p.numberText(), "Wallnum 13");
}

TEST_F(PictureUndoTest, ADroppedPngIsImportedAndTheNumberFieldGoesStraightToAChunk) {
    ZENTRIK_REQUIRE_GAMEDATA();
    auto& p = walls();
    p.showChunk(3);
    const auto png = dir / "three.png";
    prompter.expectPath(png.string());
    p.exportChunk();
    p.chunkField()->setValue(97);
    ASSERT_EQ(p.current(), 97);
    EXPECT_EQ(p.numberText(), "Wallnum 97");
    p.chunkField()->setValue(20);
    ASSERT_EQ(p.current(), 20);
    ASSERT_NE(*files().walls.images[20], *files().walls.images[3]);
    drop(p, png);
    EXPECT_EQ(*files().walls.images[20], *files().walls.images[3]);
    EXPECT_EQ(files().walls.slot(20)[5], files().walls.slot(3)[5]) << "the raw block follows";
    key(p.editorPanel()->view(), Qt::Key_Z);
    EXPECT_NE(*files().walls.images[20], *files().walls.images[3]) << "one undo step";
}

class PictureUndoVgaTest : public VgaPagesTest {};

TEST_F(PictureUndoVgaTest, AFullScreenRectangleAndFillUndoAndRedo) {
    load(VgaPart::All, graph);
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    activate(*window);
    int screenPicture = -1;
    for (int i = 0; i < int(state().graphics.table.size()) && screenPicture < 0; ++i)
        if (state().graphics.table[size_t(i)].width == 320 &&
            state().graphics.table[size_t(i)].height == 200)
            screenPicture = i;
    ASSERT_GE(screenPicture, 0);
    g.showChunk(screenPicture);
    const auto original = state().graphics.pictures[size_t(screenPicture)];
    PictureEditorPanel* panel = g.editorPanel();
    QWidget* viewport = panel->view()->viewport();
    // 64,000 pixels each: a rectangle over the whole picture, then a fill of it.
    panel->selectTool(ToolId::Rectangle);
    panel->pickColour(1, false);
    QTest::mousePress(viewport, Qt::LeftButton, {}, panel->view()->toScreen({0, 0}) + QPoint(1, 1));
    QTest::mouseMove(viewport, QPoint(3000, 3000));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(3000, 3000));
    panel->selectTool(ToolId::Fill);
    panel->pickColour(2, false);
    clickPixel(panel, {5, 5});
    const auto filled = state().graphics.pictures[size_t(screenPicture)];
    ASSERT_EQ(filled, std::vector<uint8_t>(64000, 2));
    QTest::keyClick(viewport, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state().graphics.pictures[size_t(screenPicture)], std::vector<uint8_t>(64000, 1));
    QTest::keyClick(viewport, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state().graphics.pictures[size_t(screenPicture)], original);
    QTest::keyClick(viewport, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(viewport, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state().graphics.pictures[size_t(screenPicture)], filled);
}

// On every picture page of the graphics archive the title's * follows the chunk's history:
// undoing back to the load or the save clears it, and a resize, which no step records, stays.
TEST_F(PictureUndoVgaTest, UndoBackToTheLoadOrTheSaveClearsTheArchiveSetsStar) {
    load(VgaPart::All, graph);
    activate(*window);
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    auto& f = page<CPropPageFont>("CPropPageFont");
    g.showChunk(1);
    f.selectCharacter('A');
    const struct {
        DataSet set;
        VgaPart part;
        PictureEditorPanel* panel;
    } pages[] = {
        {DataSet::Graphics, VgaPart::Graphics, g.editorPanel()},
        {DataSet::Tile8s, VgaPart::Tile8s, page<CProp18Tile8>("CProp18Tile8").editorPanel()},
        {DataSet::Fonts, VgaPart::Fonts, f.editorPanel()}};
    for (const auto& p : pages) {
        SCOPED_TRACE(int(p.set));
        QWidget* view = p.panel->view();
        const auto undo = [view] { QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier); };
        const auto redo = [view] { QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier); };
        p.panel->pickColour(201, false);
        clickPixel(p.panel, {0, 0});
        EXPECT_TRUE(titleMarked());
        undo();
        EXPECT_FALSE(titleMarked()) << "undone back to the load";
        EXPECT_FALSE(*VgaData::modelFlag(state(), p.set));
        redo();
        EXPECT_TRUE(*VgaData::modelFlag(state(), p.set));
        prompter.expectPath(graph.string());
        menu(true, p.part)->trigger();
        EXPECT_FALSE(titleMarked());
        undo();
        EXPECT_TRUE(titleMarked()) << "undone past the save";
        redo();
        EXPECT_FALSE(titleMarked()) << "back at the save";
    }
    // A click in the pixel's own colour is a step too: the * says what the close question says.
    PictureEditorPanel* tiles = page<CProp18Tile8>("CProp18Tile8").editorPanel();
    tiles->pickColour(state().tile8s.tiles[0], false);
    clickPixel(tiles, {0, 0});
    EXPECT_TRUE(titleMarked());
    QTest::keyClick(tiles->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(titleMarked());

    // A removed picture comes back with its size; the set is then as saved again.
    g.showChunk(2);
    const int pictures = state().graphics.pictureCount();
    const auto picture = state().graphics.pictures[2];
    const PictureSize size = state().graphics.table[2];
    prompter.expectQuestion(Answer::Yes);
    g.removeChunk();
    ASSERT_EQ(state().graphics.pictureCount(), pictures - 1);
    EXPECT_TRUE(titleMarked());
    QTest::keyClick(g.editorPanel()->view(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(state().graphics.pictureCount(), pictures);
    EXPECT_EQ(state().graphics.pictures[2], picture);
    EXPECT_EQ(state().graphics.table[2], size);
    EXPECT_FALSE(titleMarked());

    enter(g.widthField(), QString::number(g.widthField()->text().toInt() + 4));
    QTest::keyClick(g.editorPanel()->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(titleMarked()) << "a resize has no step to undo";
    EXPECT_TRUE(prompter.scriptUsedUp());
}

// Tile 8s, Fonts and Screens go to a chunk by its number; fonts and screens show a strip.
TEST_F(PictureUndoVgaTest, TheArchivePagesGoToAChunkByNumber) {
    load(VgaPart::All, graph);
    auto& t = page<CProp18Tile8>("CProp18Tile8");
    t.chunkField()->setValue(40);
    EXPECT_EQ(t.tile(), 40);
    auto& f = page<CPropPageFont>("CPropPageFont");
    f.chunkField()->setValue(1);
    EXPECT_EQ(f.font(), 1);
    EXPECT_EQ(f.strip()->shownCount(), 2);
    EXPECT_EQ(f.strip()->current(), 1);
    auto& s = page<CProp11Screens>("CProp11Screens");
    s.chunkField()->setValue(1);
    EXPECT_EQ(s.current(), 1);
    ASSERT_EQ(s.strip()->shownCount(), int(state().screens.screens.size()));
    EXPECT_FALSE(s.strip()->thumbnail(1).isNull());
    QTest::mouseClick(s.strip(), Qt::LeftButton, {}, s.strip()->thumbRect(0).center());
    EXPECT_EQ(s.current(), 0);
    EXPECT_EQ(s.chunkField()->value(), 0) << "the field follows every move";
}

// Fonts export as one sheet each; the tile and font pages take a dropped picture as one step.
TEST_F(PictureUndoVgaTest, FontSheetsExportAndDroppedPicturesImport) {
    load(VgaPart::All, graph);
    auto& f = page<CPropPageFont>("CPropPageFont");
    prompter.expectPath(dir.path().string());
    f.exportAllFonts();
    const QImage sheet(QString::fromStdString((dir / "font-000.png").string()));
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.height(), 16 * fontHeight(state().fonts.fonts[0]));
    EXPECT_TRUE(std::filesystem::exists(dir / "font-001.png"));
    EXPECT_EQ(prompter.messages.back().text, "Exported 2 fonts to " + dir.path().string());

    auto& t = page<CProp18Tile8>("CProp18Tile8");
    t.selectTile(3);
    const fs::path png = dir / "tile3.png";
    prompter.expectPath(png.string());
    t.exportTile();
    t.selectTile(9);
    const auto tiles = state().tile8s.tiles;
    drop(t, png);
    const auto tile = [this](int n) {
        const auto& all = state().tile8s.tiles;
        return std::vector<uint8_t>(all.begin() + n * 64, all.begin() + n * 64 + 64);
    };
    EXPECT_EQ(tile(9), tile(3));
    EXPECT_TRUE(titleMarked());
    t.editorPanel()->undoAction()->trigger();
    EXPECT_EQ(state().tile8s.tiles, tiles) << "one undo step";
}

} // namespace
} // namespace zentrik::gui
