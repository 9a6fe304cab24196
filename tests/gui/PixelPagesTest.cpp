// The Textures, Sprites and Sounds pages on copies of the shareware page file: painting and
// undo and redo through the edit view, copy and paste across pages, insert and remove, "Toggle
// HiRes" with save and reload, picture and sound exchange, and the sample-rate field.
#include "EditorFixture.h"
#include "pagefile/Wav.h"
#include "pages/CProp13Sounds.h"
#include "pages/CProp5Textures.h"
#include "pages/CProp6Sprites.h"
#include "pages/PixelData.h"
#include "pages/SpriteTestWnd.h"
#include "widgets/ChunkStrip.h"
#include "widgets/ColorGrid.h"
#include "widgets/PictureEditorPanel.h"
#include "widgets/SoundEditCtrl.h"

#include "io/ByteWriter.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>

namespace zentrik::gui {
namespace {

using test::EditorTest;

class PixelPagesTest : public EditorTest {
protected:
    PixelData& data() { return PixelData::of(*context); }
    PageFiles& files() { return data().files(); }
    // The shareware page file copied, with the parts asked for loaded.
    void load(bool walls, bool sprites, bool sounds) {
        start();
        context->jobs = &jobs;
        vswap = dir.copyGameFile("wl1/VSWAP.WL1");
        data().setSoundOut(std::make_unique<RecordingSoundOut>());
        Workspace& ws = context->workspace;
        ASSERT_TRUE(!walls || ws.loadWalls(vswap));
        ASSERT_TRUE(!sprites || ws.loadSprites(vswap));
        ASSERT_TRUE(!sounds || ws.loadSounds(vswap));
    }
    template <class Page> Page& page(const char* name) {
        auto* p = dynamic_cast<Page*>(window->page(QString::fromLatin1(name)));
        EXPECT_NE(p, nullptr) << name;
        showPage(p);
        return *p;
    }
    // A click of the left or right button on a chunk pixel of the page's edit view.
    static void clickPixel(PixelChunkPage& p, ChunkPoint at, Qt::MouseButton b = Qt::LeftButton) {
        PictureEditView* view = p.editorPanel()->view();
        const QPoint pos = view->toScreen(at) + QPoint(1, 1);
        QTest::mouseClick(view->viewport(), b, {}, pos);
    }
    RecordingSoundOut& played() { return static_cast<RecordingSoundOut&>(data().soundOut()); }

    test::TempDir dir;
    InlineJobRunner jobs;
    std::filesystem::path vswap;
};

TEST_F(PixelPagesTest, PaintingAWallPixelWritesRawAndImageAndUndoes) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, false, false);
    auto& p = page<CProp5Textures>("CProp5Textures");
    EXPECT_EQ(p.positionText(), QStringLiteral("1/%1").arg(files().walls.count()));
    p.showChunk(3);
    EXPECT_EQ(p.numberText(), "Wallnum 3");
    const uint8_t old = files().walls.images[3]->at(5, 9);
    p.editorPanel()->pickColour(uint8_t(old + 1), false);
    clickPixel(p, {5, 9});
    EXPECT_EQ(files().walls.raw[3 * 4096 + 5 * 64 + 9], uint8_t(old + 1));
    EXPECT_EQ(files().walls.images[3]->pixels[(63 - 9) * 64 + 5], uint8_t(old + 1));
    EXPECT_TRUE(data().modified(DataSet::Walls));
    window->activateWindow(); // the undo keys are the page's window-wide shortcuts
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(p.editorPanel()->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(files().walls.raw[3 * 4096 + 5 * 64 + 9], old);
    QTest::keyClick(p.editorPanel()->view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(files().walls.images[3]->pixels[(63 - 9) * 64 + 5], uint8_t(old + 1)) << "redone";
    QTest::keyClick(p.editorPanel()->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(files().walls.raw[3 * 4096 + 5 * 64 + 9], old);
    QTest::keyClick(p.editorPanel()->view(), Qt::Key_PageDown);
    EXPECT_EQ(p.current(), 4);
    QTest::keyClick(p.editorPanel()->view(), Qt::Key_F); // the fill tool by its letter
    EXPECT_TRUE(p.editorPanel()->toolAction(ToolId::Fill)->isChecked());
    test::saveSnapshot(*window, "textures-page");
}

TEST_F(PixelPagesTest, ChunkStripFollowsPageDownAndAClickGoesToTheChunk) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, true, false);
    window->activateWindow(); // PageDown is a shortcut of the page in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    struct Case {
        const char* page;
        int start, clicked;
    };
    for (const Case c : {Case{"CProp5Textures", 0, 3}, Case{"CProp6Sprites", 10, 14}}) {
        SCOPED_TRACE(c.page);
        auto& p = page<PixelChunkPage>(c.page);
        ChunkStrip* strip = p.chunkStrip();
        p.showChunk(c.start);
        p.editorPanel()->view()->setFocus();
        EXPECT_EQ(strip->first(), std::max(0, c.start - 4));
        EXPECT_EQ(strip->current(), c.start);
        QTest::keyClick(p.editorPanel()->view(), Qt::Key_PageDown);
        ASSERT_EQ(p.current(), c.start + 1);
        EXPECT_EQ(strip->current(), c.start + 1);
        EXPECT_EQ(strip->first(), std::max(0, c.start + 1 - 4));
        EXPECT_EQ(strip->shownCount(), c.start + 1 + 5 - strip->first());
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->thumbRect(c.clicked).center());
        EXPECT_EQ(p.current(), c.clicked);
        EXPECT_EQ(p.chunkField()->value(), c.clicked);
        EXPECT_EQ(strip->current(), c.clicked);
    }
    // A painted pixel shows in the current chunk's thumbnail at once.
    auto& walls = page<PixelChunkPage>("CProp5Textures");
    walls.showChunk(2);
    const uint8_t old = files().walls.images[2]->at(5, 9);
    walls.editorPanel()->pickColour(uint8_t(old + 1), false);
    clickPixel(walls, {5, 9});
    const QImage thumb = walls.chunkStrip()->thumbnail(2);
    EXPECT_EQ(thumb.pixelIndex(5, 9), old + 1);
    EXPECT_EQ(thumb.pixelIndex(5, 9), walls.editor().device().getPixel(5, 9));
}

TEST_F(PixelPagesTest, TabVisitsToolsThenPaletteThenCanvasThenChunkField) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, false, false);
    auto& p = page<PixelChunkPage>("CProp5Textures");
    PictureEditorPanel* panel = p.editorPanel();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QToolBar* tools = panel->toolBar();
    std::vector<QWidget*> buttons;
    for (QAction* a : tools->actions())
        if (!a->isSeparator() && a->isEnabled()) // Paste, Undo, Redo are greyed out
            buttons.push_back(tools->widgetForAction(a));
    buttons.front()->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (size_t i = 0; i < buttons.size() + 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    std::vector<QWidget*> expected = buttons;
    expected.insert(expected.end(), {panel->colourGrid(), panel->view(), p.chunkField()});
    EXPECT_EQ(visited, expected);
}

TEST_F(PixelPagesTest, SpriteCopiedOntoAWallCarriesIndex255) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, true, false);
    auto& sprites = page<CProp6Sprites>("CProp6Sprites");
    sprites.showChunk(2);
    ASSERT_EQ(files().sprites.images[2]->at(0, 0), TransparentIndex);
    sprites.editorPanel()->view()->copy();
    test::saveSnapshot(*window, "sprites-page");
    auto& walls = page<CProp5Textures>("CProp5Textures");
    ASSERT_TRUE(walls.editorPanel()->pasteAction()->isEnabled());
    walls.editorPanel()->pasteAction()->trigger();
    walls.editorPanel()->selectTool(ToolId::Pen); // drops the pasted block
    EXPECT_EQ(files().walls.images[0]->at(0, 0), TransparentIndex);
    EXPECT_EQ(files().walls.raw[0], TransparentIndex);
    EXPECT_EQ(*files().walls.images[0], *files().sprites.images[2]);
}

TEST_F(PixelPagesTest, InsertIntoAnEmptySetAndRemoveTheLast) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(false, false, false);
    auto& p = page<CProp5Textures>("CProp5Textures");
    EXPECT_EQ(p.positionText(), "");
    p.editorPanel()->pickColour(42, false);
    p.insertChunk();
    EXPECT_EQ(p.positionText(), "1/1");
    EXPECT_EQ(p.numberText(), "Wallnum 0");
    EXPECT_TRUE(files().wallsLoaded);
    const auto out = dir / "VSWAP.NEW";
    ASSERT_TRUE(files().SaveTextures(out));
    PageFiles reread(files());
    ASSERT_TRUE(reread.LoadTextures(out));
    ASSERT_EQ(reread.walls.count(), 1);
    EXPECT_EQ(reread.walls.raw, std::vector<uint8_t>(4096, 42));
    p.removeChunk();
    EXPECT_EQ(p.positionText(), "");
    EXPECT_TRUE(files().wallsLoaded) << "still loaded until Remove is used once more";
    p.removeChunk();
    EXPECT_FALSE(files().wallsLoaded);
}

TEST_F(PixelPagesTest, HiResCancelChangesNothingAndBlendSurvivesSaveAndReload) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, true, false);
    for (const char* name : {"CProp5Textures", "CProp6Sprites"}) {
        SCOPED_TRACE(name);
        const bool walls = name[5] == '5';
        auto& p = page<PixelChunkPage>(name);
        auto images = [&] { return walls ? files().walls.images : files().sprites.images; };
        const auto before = images();
        p.askHighResolution = [] { return 0; };
        p.toggleHiRes();
        EXPECT_EQ(images(), before);
        // Walls blend; sprites stretch, which is the same job without colour matching.
        p.askHighResolution = [walls] { return walls ? 10 : 11; };
        p.toggleHiRes();
        ASSERT_EQ((walls ? files().walls.side : files().sprites.side), 128);
        EXPECT_EQ(p.editorPanel()->view()->editor()->device().width(), 128);
        ASSERT_TRUE(walls ? files().SaveTextures(vswap) : files().SaveSprites(vswap, 1));
        PageFiles reread(files());
        ASSERT_TRUE(walls ? reread.LoadTextures(vswap) : reread.LoadSprites(vswap));
        EXPECT_EQ(walls ? reread.walls.images : reread.sprites.images, images());
        // absent chunks stayed absent
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(bool(before[i]), bool(images()[i])) << i;
        prompter.expectQuestion(Answer::No);
        p.toggleHiRes();
        EXPECT_EQ(prompter.questions.back().caption, "Switch to low resolution?");
    }
}

TEST_F(PixelPagesTest, ExportedWallImportsBackUnchangedAndOneUndoTakesItBack) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(true, false, false);
    auto& p = page<CProp5Textures>("CProp5Textures");
    p.showChunk(1);
    const auto raw = files().walls.raw;
    for (const char* name : {"w.bmp", "w.png"}) {
        const std::string path = (dir / name).string();
        prompter.expectPath(path);
        p.exportChunk();
        EXPECT_EQ(prompter.fileDialogs.back().title, "Export current texture...");
        p.editorPanel()->pickColour(uint8_t(files().walls.images[1]->at(0, 0) + 1), false);
        p.editorPanel()->selectTool(ToolId::Fill);
        clickPixel(p, {0, 0});
        prompter.expectPath(path);
        p.importChunk();
        EXPECT_EQ(files().walls.raw, raw) << name << ": every index came back as it was";
    }
    p.editorPanel()->view()->undo();
    EXPECT_NE(files().walls.raw, raw) << "the import went back as one step, the fill remains";
}

TEST_F(PixelPagesTest, SpriteSizeLineAndTestWindow) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(false, true, false);
    auto& p = page<CProp6Sprites>("CProp6Sprites");
    p.showChunk(5);
    p.updateSize();
    EXPECT_TRUE(p.compressedSizeText().endsWith(" bytes")) << p.compressedSizeText().toStdString();
    clickPixel(p, {32, 32});
    EXPECT_EQ(p.compressedSizeText(), "N/A");
    p.setAutoUpdate(true);
    EXPECT_NE(p.compressedSizeText(), "N/A");
    p.showTestWindow();
    EXPECT_EQ(p.testWindow()->decoded(), p.testWindow()->stored());
}

std::vector<uint8_t> wav8(uint32_t rate, size_t samples) {
    ByteWriter w;
    w.text("RIFF");
    w.u32(uint32_t(36 + samples));
    w.text("WAVEfmt ");
    w.u32(16);
    w.u16(1);
    w.u16(1);
    w.u32(rate);
    w.u32(rate);
    w.u16(1);
    w.u16(8);
    w.text("data");
    w.u32(uint32_t(samples));
    w.fill(samples, 140);
    return w.take();
}

TEST_F(PixelPagesTest, SoundsPageRateImportPlayAndRemove) {
    ZENTRIK_REQUIRE_GAMEDATA();
    load(false, false, true);
    auto& p = page<CProp13Sounds>("CProp13Sounds");
    const int count = files().sounds.count();
    EXPECT_EQ(p.positionText(), QStringLiteral("1/%1").arg(count));
    const std::pair<const char*, bool> rates[] = {
        {"3999", false}, {"44101", false}, {"4000", true}, {"44100", true}, {"7042", true}};
    for (const auto& [rate, accepted] : rates) {
        p.rateField()->setText(QString::fromLatin1(rate));
        EXPECT_EQ(p.checkRate().has_value(), accepted) << rate;
    }
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages.back().caption, "Illegal sample rate!");
    test::writeBytes(dir / "in.wav", wav8(22050, 22050));
    prompter.expectPath((dir / "in.wav").string());
    p.importSound();
    EXPECT_EQ(files().sounds.sounds[0].samples.size(), 7042u);
    EXPECT_EQ(p.sizeText(), "Size: 7042 bytes");
    EXPECT_EQ(p.durationText(), "Duration: 1.000 secs");
    p.play();
    ASSERT_EQ(played().played.size(), 1u);
    EXPECT_EQ(played().played[0], wavImage(files().sounds.sounds[0].samples, 7042));
    EXPECT_FALSE(p.noDeviceShown());

    // The import is an undo step: undone, the sound and the clean state are back.
    EXPECT_TRUE(data().modified(DataSet::Sounds));
    p.undo();
    EXPECT_NE(files().sounds.sounds[0].samples.size(), 7042u);
    EXPECT_FALSE(data().modified(DataSet::Sounds));
    p.redo();
    EXPECT_EQ(files().sounds.sounds[0].samples.size(), 7042u);
    EXPECT_TRUE(data().modified(DataSet::Sounds));

    // The game's names, a rate other than the game's, and no device to play on.
    EXPECT_EQ(p.soundName(0), "HALTSND");
    EXPECT_EQ(p.soundList()->count(), count);
    EXPECT_TRUE(p.rateWarningText().isEmpty());
    p.rateField()->setText(QStringLiteral("11025"));
    ASSERT_TRUE(p.checkRate());
    EXPECT_FALSE(p.rateWarningText().isEmpty());
    p.rateField()->setText(QStringLiteral("7042"));
    ASSERT_TRUE(p.checkRate());
    played().device = false;
    p.play();
    EXPECT_TRUE(p.noDeviceShown());
    p.setPlayOnScrolling(true);
    p.showSound(1);
    p.findChild<QScrollBar*>("SoundScroll")->setValue(2);
    EXPECT_EQ(played().played.size(), 3u);
    test::saveSnapshot(*window, "sounds-page");
    // an absent sound draws the flat line from the samples held
    for (int i = 0; i < count; ++i)
        if (files().sounds.sounds[size_t(i)].absent) {
            p.showSound(i);
            EXPECT_TRUE(p.waveform()->samples().empty());
            EXPECT_EQ(p.waveform()->columnY(10), p.waveform()->height() / 2);
            break;
        }
    prompter.expectQuestion(Answer::No);
    p.showSound(0);
    p.removeSound();
    EXPECT_EQ(prompter.questions.back().caption, "Remove sound?");
    EXPECT_EQ(files().sounds.count(), count) << "No removes nothing";
    while (files().sounds.count() > 0) {
        p.showSound(files().sounds.count() - 1); // the last: nothing is renumbered
        p.removeSound();
    }
    EXPECT_EQ(p.positionText(), "0/0");
    EXPECT_EQ(p.sizeText(), "Size: N/A");
    EXPECT_EQ(p.durationText(), "Duration: N/A");
}

} // namespace
} // namespace zentrik::gui
