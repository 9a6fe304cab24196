// The toolbar's page-file commands in the main window, on a copy of the shareware VSWAP.
#include "app/PageFileCommands.h"
#include "app/MainToolbar.h"
#include "choosers/TextureSelectWnd.h"
#include "EditorFixture.h"
#include "mapedit/CPropMapEdit.h"

#include <QAction>
#include <QLabel>

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
    // A cancelled load keeps the walls and their unsaved state.
    prompter.expectQuestion(Answer::Yes);
    prompter.expectPath(vswap.string());
    inlineJobs.cancelAfter = 1;
    EXPECT_FALSE(w.pageFileCommands()->load(DataSet::Walls));
    EXPECT_EQ(ws.walls().count(), 106);
    EXPECT_TRUE(ws.isModified(DataSet::Walls));
    inlineJobs.cancelAfter = -1;

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

} // namespace
} // namespace zentrik::test
