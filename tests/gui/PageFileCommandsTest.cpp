// The toolbar's page-file commands in the main window, on a copy of the shareware VSWAP; and the
// map page inside the main window: the toolbar's map commands reach it, and the side panel
// hears where the mouse is.
#include "window/PageFileCommands.h"
#include "choosers/TextureSelectWnd.h"
#include "EditorFixture.h"
#include "mapedit/CPropMapEdit.h"
#include "window/MainToolbar.h"
#include "window/SidePanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace zentrik::test {
namespace {

using gui::Command;
using PageFileToolbar = EditorTest;

TEST_F(PageFileToolbar, LoadsFeedTheMapPageAndSavesNeedALoadedSet) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const std::filesystem::path vswap = user.copyGameFile("wl1/VSWAP.WL1");
    gui::CZentrikDlg& w = start();
    gui::MainToolbar& bar = *w.toolbar();
    Workspace& ws = context->workspace;
    auto* page = w.findChild<gui::CPropMapEdit*>();
    for (Command c : {Command::SaveWalls, Command::SaveSprites, Command::SaveSounds})
        EXPECT_FALSE(bar.action(c)->isEnabled()) << "nothing loaded";
    const QImage symbolPen = page->findChild<QLabel*>("penPicture0")->pixmap().toImage();

    // Through the progress window, as the user runs them.
    context->pens.left.wall = 1;
    emit context->messages.pensUpdated(true, gui::kPenWall);
    for (Command c : {Command::LoadWalls, Command::LoadSprites, Command::LoadSounds}) {
        prompter.expectPath(vswap.string());
        bar.action(c)->trigger();
    }
    ASSERT_EQ(prompter.fileDialogs.size(), 3u);
    EXPECT_EQ(prompter.fileDialogs[0].title, "Load textures...");
    EXPECT_EQ(prompter.fileDialogs[2].initialPath, kSoundFileDefaultName);
    EXPECT_EQ(ws.walls().count(), 106);
    for (Command c : {Command::SaveWalls, Command::SaveSprites, Command::SaveSounds})
        EXPECT_TRUE(bar.action(c)->isEnabled());
    EXPECT_GT(page->textureChooser()->cellCount(), 1);
    EXPECT_NE(page->findChild<QLabel*>("penPicture0")->pixmap().toImage(), symbolPen)
        << "the left wall pen shows its texture";

    // Over unsaved walls the question comes before the dialog; No keeps them.
    InlineJobRunner inlineJobs;
    context->jobs = &inlineJobs;
    ws.markEdited(DataSet::Walls);
    prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(w.pageFileCommands()->load(DataSet::Walls));
    EXPECT_EQ(prompter.fileDialogs.size(), 3u);

    // A save clears the set's state; its dialog starts at the file loaded.
    prompter.expectPath(vswap.string());
    EXPECT_TRUE(w.pageFileCommands()->save(DataSet::Walls));
    EXPECT_EQ(prompter.fileDialogs.back().title, "Save textures...");
    EXPECT_EQ(prompter.fileDialogs.back().initialPath, vswap.string());
    EXPECT_FALSE(ws.isModified(DataSet::Walls));

    // Without walls the save says why instead of failing silently.
    ws.walls().images.clear();
    ws.walls().raw.clear();
    EXPECT_FALSE(w.pageFileCommands()->save(DataSet::Walls));
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().text, "There are no walls to save.");
    context->jobs = nullptr;
}

using MapEditWindow = EditorTest;

TEST_F(MapEditWindow, TheToolbarsMapCommandsOpenTheMapDialogs) {
    gui::CZentrikDlg& w = start();
    auto* page = w.findChild<gui::CPropMapEdit*>();
    ASSERT_NE(page, nullptr);
    QCoreApplication::processEvents(); // the page plugs into the toolbar once it sits there
    QAction* load = w.toolbar()->action(gui::Command::LoadMaps);
    ASSERT_TRUE(load->isEnabled());
    prompter.expectPath(std::nullopt); // the user cancels the dialog
    load->trigger();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].title, "Load maps...");
    QAction* save = w.toolbar()->action(gui::Command::SaveMaps);
    EXPECT_FALSE(save->isEnabled()) << "no level to save";

    // A cell under the mouse goes out to whoever shows it.
    int seenX = -1, seenY = -1;
    QObject::connect(&context->messages, &gui::AppMessages::mapCursor,
                     [&](int x, int y, quint16, quint16) {
                         seenX = x;
                         seenY = y;
                     });
    page->findChild<QPushButton*>("addMap")->click();
    EXPECT_TRUE(save->isEnabled());
    page->tools().setPenMode(PenMode::Pen);
    QTest::qWait(1100);
    QTest::mousePress(page->map(), Qt::LeftButton, {}, QPoint(5 * 8 + 3, 6 * 8 + 3));
    QTest::mouseRelease(page->map(), Qt::LeftButton, {}, QPoint(5 * 8 + 3, 6 * 8 + 3));
    EXPECT_EQ(seenX, 5);
    EXPECT_EQ(seenY, 6);

    // The side panel shows the cell and names the empty object slot as the pens do; on
    // another level the cell is gone from both lines.
    gui::SidePanel* panel = w.sidePanel();
    EXPECT_EQ(panel->cursorLine()->text(), gui::SidePanel::cursorText(5, 6));
    EXPECT_EQ(panel->cursorName(2)->text(), gui::SidePanel::nothingText());
    page->findChild<QPushButton*>("addMap")->click();
    EXPECT_EQ(panel->cursorLine()->text(), gui::SidePanel::cursorText(0, 0));
    EXPECT_TRUE(panel->cursorPicture(1).isNull());
    EXPECT_TRUE(page->findChild<QLabel*>("cursorReport")->text().isEmpty());
}

} // namespace
} // namespace zentrik::test
