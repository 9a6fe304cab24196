#include "EditorFixture.h"
#include "window/AboutBox.h"
#include "window/MainToolbar.h"
#include "window/SidePanel.h"
#include "window/TooltipGate.h"
#include "window/UnsavedSets.h"
#include "world3d/CProp3DEdit.h"

#include <QAction>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::EditorTest;

// Receives what QDesktopServices would hand to the browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

using FrameTest = EditorTest;

TEST_F(FrameTest, SidePanelStartsWithNothingAndShowsTheCursor) {
    CZentrikDlg& w = start();
    SidePanel* panel = w.sidePanel();
    for (bool left : {true, false})
        for (int kind = 1; kind <= 3; ++kind)
            EXPECT_EQ(panel->nameLabel(left, kind)->text(), "0 --- Nothing ---");

    emit context->messages.mapCursor(12, 63, 98, 1);
    EXPECT_EQ(panel->cursorLine()->text(), "X: 12  Y: 63    ");
    EXPECT_EQ(panel->cursorName(1)->text(), "1 Grey stone 1");
    EXPECT_EQ(panel->cursorName(2)->text(), "98 Pushwall (secret)");

    emit context->messages.sidePanel(true);
    EXPECT_FALSE(panel->isVisible());
    emit context->messages.sidePanel(false);
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(FrameTest, PenChangesOfEveryKindAndTheError) {
    CZentrikDlg& w = start();
    SidePanel* panel = w.sidePanel();
    struct Case {
        bool left;
        int kind;
        EditPlane plane;
        int shownKind;
    };
    const Case cases[] = {
        {true, 1, EditPlane::Objects, 1}, {false, 2, EditPlane::Walls, 2},
        {true, 3, EditPlane::Walls, 3},   {false, 0, EditPlane::Walls, 1},
        {true, 0, EditPlane::Objects, 2}, {false, 0, EditPlane::Floors, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        context->editPlane = c.plane;
        context->pens = PenPair{};
        emit context->messages.penChanged(c.left, c.kind, 23, 107);
        const Pen& pen = context->pens.of(c.left);
        EXPECT_EQ(pen.wall, c.shownKind == 1 ? 107 : 0);
        EXPECT_EQ(pen.object, c.shownKind == 2 ? 23 : 0);
        EXPECT_EQ(pen.floor, c.shownKind == 3 ? 107 : 0);
        EXPECT_EQ(context->pens.of(!c.left), Pen{});
        EXPECT_EQ(panel->nameLabel(c.left, c.shownKind)->text().toStdString(),
                  c.shownKind == 2 ? context->objectLabel(23) : context->plane0Label(107));
    }
    EXPECT_TRUE(prompter.messages.empty());

    const PenPair before = context->pens;
    emit context->messages.penChanged(true, 4, 1, 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Zentrik");
    EXPECT_EQ(prompter.messages[0].caption, "Error 28:OnPenChanged");
    EXPECT_EQ(context->pens.left, before.left);
}

TEST_F(FrameTest, SidePanelPicturesFollowEveryPenChangeAndTheSymbols) {
    CZentrikDlg& w = start();
    SidePanel* panel = w.sidePanel();
    EXPECT_TRUE(panel->penPicture(true, 1).isNull()); // "Nothing" shows no picture
    const auto same = [](const QImage& a, const QImage& b) {
        return !a.isNull() &&
               a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
    };
    // Every kind, through the edit plane too: the picture is the value's map symbol.
    emit context->messages.penChanged(true, kPenWall, 0, 5);
    emit context->messages.penChanged(false, kPenObject, 40, 0);
    emit context->messages.penChanged(true, kPenFloor, 0, 108);
    context->editPlane = EditPlane::Walls;
    emit context->messages.penChanged(false, kPenOfEditPlane, 0, 7);
    emit context->messages.mapCursor(3, 4, 41, 6);
    EXPECT_TRUE(same(panel->penPicture(true, 1), context->symbolImage(false, 5)));
    EXPECT_TRUE(same(panel->penPicture(false, 2), context->symbolImage(true, 40)));
    EXPECT_TRUE(same(panel->penPicture(true, 3), context->symbolImage(false, 108)));
    EXPECT_TRUE(same(panel->penPicture(false, 1), context->symbolImage(false, 7)));
    EXPECT_TRUE(same(panel->cursorPicture(2), context->symbolImage(true, 41)));
    EXPECT_TRUE(panel->penPicture(true, 2).isNull());
    emit context->messages.penChanged(true, kPenWall, 0, 6); // a second change replaces it

    // A repainted symbol reaches every field that shows it, pens and cursor alike.
    Symbol bright;
    bright.fill(0x7FFF);
    context->symbols.strip.setSymbol(6, bright);
    context->symbols.strip.setSymbol(SymbolStrip::objectIndex(40), bright);
    emit context->messages.symbolsChanged();
    const QImage white = context->symbolImage(false, 6);
    EXPECT_EQ(white.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(same(panel->penPicture(true, 1), white));
    EXPECT_TRUE(same(panel->penPicture(false, 2), white));
    EXPECT_TRUE(same(panel->cursorPicture(1), white));
    EXPECT_TRUE(same(panel->penPicture(true, 3), context->symbolImage(false, 108)));

    // A palette switch draws them again, unchanged (map symbols carry their own colours).
    const int rebuilds = panel->rebuildCount();
    context->palettes.setCurrent(GamePalette{});
    EXPECT_EQ(panel->rebuildCount(), rebuilds + 1);
    EXPECT_TRUE(same(panel->penPicture(true, 1), white));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FrameTest, AboutBoxOpensAtTheFirstStartOnlyAndItsLinkOpensTheProjectPage) {
    CZentrikDlg& w = start();
    ASSERT_NE(w.aboutBox(), nullptr);
    AboutBox* about = w.aboutBox();
    EXPECT_EQ(about->windowTitle(), "About Zentrik");
    test::saveSnapshot(*about, "about-box");

    // The link opens the README in the program folder, not an address of someone else's.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QTest::mouseClick(about->link(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].fileName(), "README.md");

    // The credits scroll by two pixels a tick and come round shuffled, every name kept and
    // some name always in view under "With thanks to:".
    CreditsScroller* credits = about->credits();
    const int offset = credits->offset();
    credits->step();
    EXPECT_EQ(credits->offset(), offset + 2);
    for (int i = 0; i < 2000 && credits->offset() >= offset + 2; ++i) {
        ASSERT_GT(credits->visibleNames(), 0) << credits->offset();
        credits->step();
    }
    EXPECT_LT(credits->offset(), 0);
    QStringList names = credits->names();
    QStringList all = AboutBox::contributors();
    names.sort();
    all.sort();
    EXPECT_EQ(names, all);

    window->close();
    window.reset();
    context.reset();
    CZentrikDlg& again = start();
    EXPECT_EQ(again.aboutBox(), nullptr);
}

TEST_F(FrameTest, StartUpAppliesTheExtensionScansTheFoldersAndShutdownWritesTheTable) {
    writeFile("extensions.txt", "WL1,Wolfenstein 3D,Other\nSOD,Spear of Destiny,Spear\n#\n");
    writeFile("Zentrik.ini", "[Global]\nLastExtension=SOD\nShowAbout=0\n");
    GamePalette spear;
    spear.entries[7] = Rgb{1, 2, 3};
    test::writePalette(program / "palette" / "Spear.pal", spear);
    fs::create_directories(program / "MapObjects" / ".hidden");
    writeFile("MapObjects/not-a-set.txt", "");

    start();
    EXPECT_EQ(context->palettes.current(), spear);
    EXPECT_EQ(context->symbolSetName, "Spear of Destiny");
    EXPECT_EQ(context->symbolSetNames,
              (std::vector<std::string>{"Spear of Destiny", "Wolfenstein 3D"}));
    EXPECT_EQ(context->palettes.names(), (std::vector<std::string>{"Spear", "Wolfenstein3D"}));
    EXPECT_TRUE(prompter.messages.empty());

    context->extensions.editExtension(2, "oz6x");
    window->close();
    const auto written = test::readBytes(program / "extensions.txt");
    EXPECT_EQ(std::string(written.begin(), written.end()),
              "WL1,Wolfenstein 3D,Other\nSOD,Spear of Destiny,Spear\nOZ6, N/A, No Change\n#\n");
}

TEST_F(FrameTest, AMissingExtensionPaletteIsSaidOnceAndTheTabsCycleWithTheKeyboard) {
    writeFile("extensions.txt", "WL6,Wolfenstein 3D,Gone\n#\n");
    writeFile("Zentrik.ini", "[Global]\nShowAbout=0\n");
    CZentrikDlg& w = start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Can't find palette!");

    w.tabs()->setCurrentIndex(10);
    QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 0);
    QTest::keyClick(&w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.tabs()->currentIndex(), 10);
}

// Closing, and the settings written then.
using MainWindowTest = EditorTest;

TEST_F(MainWindowTest, TheLevelCheckOfThe3DPageOpensTheMapPagesCheck) {
    CZentrikDlg& w = start();
    QWidget* maps = w.page(QStringLiteral("CPropMapEdit"));
    auto& view = page<CProp3DEdit>("CProp3DEdit");
    const auto mapsShown = [&] {
        QWidget* current = w.tabs()->currentWidget();
        return current == maps || current->isAncestorOf(maps);
    };
    ASSERT_FALSE(mapsShown());
    view.findChild<QPushButton*>(QStringLiteral("levelCheck"))->click();
    EXPECT_TRUE(mapsShown());
}
using test::TempDir;

TEST_F(MainWindowTest, ClosesAtOnceWithoutChangesAndWritesTheSettingsOnlyThen) {
    CZentrikDlg& w = start();
    EXPECT_FALSE(fs::exists(program / "Zentrik.ini")); // nothing written while running
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(prompter.questions.empty());

    const IniFile ini = iniOnDisk();
    // A fresh installation shows the about box once, never again.
    EXPECT_EQ(ini.get("Global", "ShowAbout", "", 3), "0");
    EXPECT_EQ(ini.get("Maps", "RLEW", "", 5), "ABCD");
}

TEST_F(MainWindowTest, UnsavedChangesAskAndOnlyNoCloses) {
    CZentrikDlg& w = start();
    context->workspace.markEdited(DataSet::Walls);

    prompter.expectQuestion(Answer::Yes);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text, "Do you want to save your changes ?\n\nWalls");
    EXPECT_EQ(prompter.questions[0].caption, "Changes unsaved!");
    // Yes saves nothing, not even the settings.
    EXPECT_FALSE(fs::exists(program / "Zentrik.ini"));

    prompter.expectQuestion(Answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());

    prompter.expectQuestion(Answer::No);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompter.questions.size(), 3u);
    EXPECT_TRUE(fs::exists(program / "Zentrik.ini"));
}

// The question lists what is unsaved; after Yes exactly those sets' save commands are lit, and
// the marks follow the undo history back to the saved state.
TEST_F(MainWindowTest, TheCloseQuestionNamesTheUnsavedSetsAndLightsTheirSaveCommands) {
    ZENTRIK_REQUIRE_GAMEDATA();
    CZentrikDlg& w = start();
    Workspace& ws = context->workspace;
    TempDir data;
    data.copyGameFile("wl1/MAPHEAD.WL1");
    ASSERT_TRUE(ws.loadMaps(MapFileName::split(data.copyGameFile("wl1/GAMEMAPS.WL1"))));
    for (int level : {0, 2, 5}) {
        ws.levelEditor().setCurrentMap(level);
        ws.editLevel([&] { ws.levels().current()->planes[0][100] ^= 1; });
    }
    ws.markEdited(DataSet::Walls);
    EXPECT_TRUE(w.windowTitle().endsWith(" *"));

    prompter.expectQuestion(Answer::Yes);
    EXPECT_FALSE(w.close());
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text,
              "Do you want to save your changes ?\n\nMaps (3 levels), Walls");
    MainToolbar& bar = *w.toolbar();
    const SaveCommandLights& lights = w.saveLights();
    EXPECT_TRUE(lights.isLit(bar.action(Command::SaveMaps)));
    EXPECT_TRUE(lights.isLit(bar.action(Command::SaveWalls)));
    for (Command c : {Command::SaveSprites, Command::SaveSounds, Command::SaveVgaGraph,
                      Command::LoadMaps, Command::SaveAll})
        EXPECT_FALSE(lights.isLit(bar.action(c))) << int(c);

    // Undoing back to the saved state clears the maps' mark, the light and (with the walls
    // saved) the title's star.
    for (int i = 0; i < 3; ++i)
        ws.undo(DataSet::Maps);
    EXPECT_FALSE(ws.isModified(DataSet::Maps));
    EXPECT_FALSE(lights.isLit(bar.action(Command::SaveMaps)));
    EXPECT_TRUE(lights.isLit(bar.action(Command::SaveWalls)));
    ws.markSaved(DataSet::Walls);
    EXPECT_FALSE(lights.isLit(bar.action(Command::SaveWalls)));
    EXPECT_FALSE(w.windowTitle().endsWith(" *"));
    ws.redo(DataSet::Maps);
    EXPECT_TRUE(w.windowTitle().endsWith(" *"));
    prompter.expectQuestion(Answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompter.questions[1].text, "Do you want to save your changes ?\n\nMaps (1 level)");
    prompter.expectQuestion(Answer::No);
    EXPECT_TRUE(w.close());
}

TEST_F(MainWindowTest, StdPathIsTheCurrentFolderAtStartAndAfterEachChoice) {
    TempDir data, other;
    writeFile("Zentrik.ini", "[Global]\nStdPath=" + data.path().string() + "\n");
    CZentrikDlg& w = start();
    EXPECT_TRUE(fs::equivalent(fs::current_path(), data.path()));

    // A loader's choice is on disk at once, before any shutdown.
    w.saveStdPath(other.path());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), other.path()));
    EXPECT_EQ(iniOnDisk().get("Global", "StdPath", "", 256), other.path().string());
}

} // namespace
} // namespace zentrik::gui

#include "FrameTest.moc"
