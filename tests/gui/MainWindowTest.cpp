#include "app/CZentrikDlg.h"
#include "EditorFixture.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QTabWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::StrictPrompter;
using test::TempDir;

// The editor started on a scratch program folder, with questions answered from a script.
class MainWindowTest : public ::testing::Test {
protected:
    ~MainWindowTest() override {
        window.reset();
        context.reset();
        std::error_code ec;
        fs::current_path(m_savedCwd, ec);
    }

    CZentrikDlg& start() {
        // The fallback palette is there, so a fresh start has nothing to say.
        test::writePalette(program / "palette" / "Wolfenstein3D.pal", test::rampPalette());
        test::copySymbolSets(program.path());
        context = std::make_unique<AppContext>(ProgramPaths{program.path(), user.path()});
        context->prompter = &prompter;
        window = std::make_unique<CZentrikDlg>(*context);
        window->show();
        return *window;
    }

    void writeIni(const std::string& text) {
        std::ofstream(program / "Zentrik.ini", std::ios::binary) << text;
    }
    IniFile iniOnDisk() const {
        IniFile ini(program / "Zentrik.ini");
        ini.load();
        return ini;
    }

    TempDir program, user;
    StrictPrompter prompter;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<CZentrikDlg> window;

private:
    fs::path m_savedCwd = fs::current_path();
};

TEST_F(MainWindowTest, ClosesAtOnceWithoutChangesAndWritesEverySetting) {
    CZentrikDlg& w = start();
    EXPECT_FALSE(fs::exists(program / "Zentrik.ini")); // nothing written while running
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(prompter.questions.empty());

    const IniFile ini = iniOnDisk();
    // A fresh installation shows the about box once, never again.
    EXPECT_EQ(ini.get("Global", "ShowAbout", "", 3), "0");
    EXPECT_EQ(ini.get("Global", "LastExtension", "", 15), "WL6");
    EXPECT_EQ(ini.get("Maps", "RLEW", "", 5), "ABCD");
}

TEST_F(MainWindowTest, UnsavedChangesAskAndOnlyNoCloses) {
    CZentrikDlg& w = start();
    context->workspace.markEdited(DataSet::Walls);

    prompter.expectQuestion(Answer::Yes);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text, "Do you want to save your changes ?");
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

TEST_F(MainWindowTest, StdPathIsTheCurrentFolderAtStartAndAfterEachChoice) {
    TempDir data, other;
    writeIni("[Global]\nStdPath=" + data.path().string() + "\n");
    CZentrikDlg& w = start();
    EXPECT_TRUE(fs::equivalent(fs::current_path(), data.path()));

    // A loader's choice is on disk at once, before any shutdown.
    w.saveStdPath(other.path());
    EXPECT_TRUE(fs::equivalent(fs::current_path(), other.path()));
    EXPECT_EQ(iniOnDisk().get("Global", "StdPath", "", 256), other.path().string());
}

} // namespace
} // namespace zentrik::gui
