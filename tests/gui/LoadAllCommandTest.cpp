// Load All and Save all in the main window, on a copy of the shareware folder; with it, a
// picture of every page for the user guide (scripts/update-screenshots.sh copies them into
// docs/screenshots).
#include "window/LoadAllCommand.h"
#include "EditorFixture.h"
#include "window/AboutBox.h"
#include "window/MainToolbar.h"
#include "window/TabLayout.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;
using gui::Command;

class LoadAllWindow : public EditorTest {
protected:
    void copyShareware() {
        for (const char* f : {"GAMEMAPS.WL1", "MAPHEAD.WL1", "VSWAP.WL1", "VGAGRAPH.WL1",
                              "VGAHEAD.WL1", "VGADICT.WL1", "AUDIOT.WL1", "AUDIOHED.WL1"})
            game.copyGameFile(std::string("wl1/") + f);
    }
    gui::LoadAllCommand& command() { return *window->loadAllCommand(); }
    // Confirms whatever the dialog proposes.
    void acceptProposal() {
        command().chooseFiles = [](const LoadAllScan& scan, const fs::path& folder,
                                   const std::optional<std::string>& proposal) {
            gui::LoadAllDialog dialog(scan, folder, proposal);
            seen = dialog.field(LoadAllField::Walls)->currentText();
            return std::optional<gui::LoadAllChoice>(
                gui::LoadAllChoice{selectForSuffix(scan, proposal.value_or(""), folder), false});
        };
    }
    // Saves a picture of the window with each page of the tabs into the screenshot folder.
    void shootAll(const std::vector<gui::TabEntry>& tabs) {
        const QString dir = QString::fromUtf8(ZENTRIK_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        for (const gui::TabEntry& tab : tabs) {
            if (!tab.nested.empty()) {
                shootAll(tab.nested);
            } else if (QWidget* page = window->page(tab.pageClass)) {
                showPage(page);
                const QString name = QString(tab.label).remove(QLatin1Char(' '));
                EXPECT_TRUE(window->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))))
                    << name.toStdString();
            }
        }
    }
    static inline QString seen;
    TempDir game;
};

TEST_F(LoadAllWindow, LoadsTheWholeFolderAndSaveAllWritesOnlyWhatChanged) {
    ZENTRIK_REQUIRE_GAMEDATA();
    copyShareware();
    gui::CZentrikDlg& w = start();
    InlineJobRunner jobs;
    context->jobs = &jobs;
    acceptProposal();
    Workspace& ws = context->workspace;

    EXPECT_FALSE(w.toolbar()->action(Command::SaveAll)->isEnabled());
    prompter.expectPath(game.path().string());
    ASSERT_TRUE(command().loadAll());
    EXPECT_EQ(seen, "VSWAP.WL1");
    ASSERT_EQ(prompter.messages.size(), 1u); // one closing summary, not a box per set
    EXPECT_EQ(prompter.messages[0].caption, "Load All");
    EXPECT_EQ(ws.levels().levelCount(), 10);
    EXPECT_FALSE(w.toolbar()->action(Command::SaveAll)->isEnabled()) << "nothing changed yet";

    // One map edit: Save all rewrites the maps and leaves the other files alone.
    ws.levels().levels[0].planes[0][0] = 1;
    ws.markEdited(DataSet::Maps);
    EXPECT_TRUE(w.toolbar()->action(Command::SaveAll)->isEnabled());
    w.toolbar()->action(Command::SaveAll)->trigger();
    EXPECT_TRUE(fs::exists(game / "GAMEMAPS.WL1.bak"));
    EXPECT_TRUE(fs::exists(game / "MAPHEAD.WL1.bak"));
    EXPECT_FALSE(fs::exists(game / "VSWAP.WL1.bak"));
    EXPECT_FALSE(ws.isModified(DataSet::Maps));

    // Walls loaded on their own from elsewhere are no longer Load All's to write.
    TempDir other;
    const fs::path vswap = other.copyGameFile("wl1/VSWAP.WL1");
    ASSERT_TRUE(ws.loadWalls(vswap));
    ws.markEdited(DataSet::Walls);
    EXPECT_TRUE(command().saveAll());
    EXPECT_FALSE(fs::exists(game / "VSWAP.WL1.bak"));
}

TEST_F(LoadAllWindow, AsksOnceOverUnsavedEditsAndRefusesAnUnreadableFolder) {
    ZENTRIK_REQUIRE_GAMEDATA();
    copyShareware();
    start();
    acceptProposal();
    context->workspace.markEdited(DataSet::Maps);
    prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(command().loadAll());
    EXPECT_TRUE(prompter.fileDialogs.empty()); // Cancel changes nothing, not even a dialog
    EXPECT_TRUE(context->workspace.isModified(DataSet::Maps));

    context->workspace.markSaved(DataSet::Maps);
    prompter.expectPath((game / "missing").string());
    EXPECT_FALSE(command().loadAll());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Unable to find files in directory!");
}

// Every page must also lay out and paint the episode without a message.
TEST_F(LoadAllWindow, AFileOnTheCommandLineLoadsItsFolderWithItsSuffixIntoEveryPage) {
    ZENTRIK_REQUIRE_GAMEDATA();
    copyShareware();
    // The game's own palette and extension table, so the pictures look as the user sees them.
    const fs::path shipped(ZENTRIK_SOURCE_DATA);
    fs::copy(shipped / "palette", program / "palette",
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    fs::copy_file(shipped / "extensions.txt", program / "extensions.txt");
    gui::CZentrikDlg& w = start();
    if (auto* about = w.aboutBox())
        about->close();
    w.resize(1280, 900);
    QCoreApplication::processEvents(); // the pages hook into the toolbar once it is shown
    ASSERT_TRUE(command().open(game / "VSWAP.WL1"));
    ASSERT_EQ(prompter.messages.size(), 1u); // the closing summary, all fine
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Information) << prompter.messages[0].text;
    prompter.messages.clear();
    EXPECT_TRUE(context->workspace.loadAllUsed());
    EXPECT_EQ(context->settings.lastExtension, "WL1");
    EXPECT_EQ(w.page(QStringLiteral("CPropMapEdit"))->findChild<QLabel*>("levelCounter")->text(),
              QStringLiteral("Map 1/10"));
    shootAll(gui::mainTabs());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
    EXPECT_TRUE(fs::exists(fs::path(ZENTRIK_SCREENSHOT_DIR) / "MapEdit.png"));
}

} // namespace
} // namespace zentrik::test
