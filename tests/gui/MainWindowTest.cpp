#include "app/CZentrikDlg.h"
#include "app/PageRegistry.h"
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

QStringList tabLabels(const QTabWidget* sheet) {
    QStringList out;
    for (int i = 0; i < sheet->count(); ++i)
        out << sheet->tabText(i);
    return out;
}

QStringList pageNames(const QTabWidget* sheet) {
    QStringList out;
    for (int i = 0; i < sheet->count(); ++i)
        out << sheet->widget(i)->objectName();
    return out;
}

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

TEST_F(MainWindowTest, ShowsCaptionAndTheTabsInOrder) {
    CZentrikDlg& w = start();
    EXPECT_EQ(w.windowTitle(), "Zentrik V1.27 preRelease");

    const QTabWidget* sheet = w.tabs();
    EXPECT_EQ(tabLabels(sheet),
              QStringList({"MapEdit", "3DEdit", "Walls", "Objects", "Floors", "Textures", "Sprites",
                           "VGAGraph", "Audio", "Screens", "Customize"}));
    EXPECT_EQ(pageNames(sheet),
              QStringList({"CPropMapEdit", "CProp3DEdit", "CPropWalls", "CPropObjects",
                           "CPropFloors", "CProp5Textures", "CProp6Sprites", "CProp20VGAGraph",
                           "CProp17Audio", "CProp11Screens", "CPropCustomize"}));
    test::saveSnapshot(w, "main-window");
}

TEST_F(MainWindowTest, NestsTheSheetsOfVgaGraphAudioAndCustomize) {
    CZentrikDlg& w = start();
    struct Nested {
        const char* owner;
        QStringList labels;
        QStringList pages;
    };
    const Nested cases[] = {
        {"CProp20VGAGraph",
         {"Graphics", "Fonts", "Tile 8s"},
         {"CProp12Graphics", "CPropPageFont", "CProp18Tile8"}},
        {"CProp17Audio", {"Sounds", "Music"}, {"CProp13Sounds", "CPPMusic"}},
        {"CPropCustomize",
         {"Config", "Palette", "Symbols"},
         {"CPropConfig", "CProp07Palette", "CProp10Symbols"}},
    };
    for (const Nested& c : cases) {
        SCOPED_TRACE(c.owner);
        QWidget* owner = w.page(c.owner);
        ASSERT_NE(owner, nullptr);
        const auto* sheet = owner->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(tabLabels(sheet), c.labels);
        EXPECT_EQ(pageNames(sheet), c.pages);
        for (const QString& p : c.pages)
            EXPECT_EQ(w.page(p), sheet->widget(int(c.pages.indexOf(p))));
    }
    // Pages without a sheet of their own have none.
    EXPECT_EQ(w.page("CPropMapEdit")->findChild<QTabWidget*>(), nullptr);
}

TEST_F(MainWindowTest, ARegisteredPageTakesThePlaceholdersPlace) {
    AppContext* seen = nullptr;
    registerPage("CProp13Sounds", [&](AppContext& c, QWidget* parent) {
        seen = &c;
        auto* w = new QWidget(parent);
        w->setProperty("real", true);
        return w;
    });
    CZentrikDlg& w = start();
    registerPage("CProp13Sounds", nullptr); // back to the placeholder for the other tests
    EXPECT_EQ(seen, context.get());
    ASSERT_NE(w.page("CProp13Sounds"), nullptr);
    EXPECT_TRUE(w.page("CProp13Sounds")->property("real").toBool());
    EXPECT_FALSE(w.page("CPPMusic")->property("real").toBool());
}

TEST_F(MainWindowTest, ClosesAtOnceWithoutChangesAndWritesEverySetting) {
    CZentrikDlg& w = start();
    EXPECT_FALSE(fs::exists(program / "Zentrik.ini")); // nothing written while running
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(prompter.questions.empty());

    const IniFile ini = iniOnDisk();
    const char* const keys[][2] = {
        {"Global", "Tooltips"},
        {"Global", "ScrollDelta"},
        {"Global", "ShowAbout"},
        {"Global", "LastExtension"},
        {"Compression", "CarmarckExpand"},
        {"Compression", "CarmarckCompress"},
        {"Compression", "CarmarckMode"},
        {"Compression", "SpriteCompression"},
        {"Maps", "FAR"},
        {"Maps", "NEAR"},
        {"Maps", "RLEW"},
        {"Maps", "DontLoadRLEW"},
        {"Maps", "ChkMaphead"},
        {"Maps", "ChkMaps"},
        {"MapEditor", "Objects"},
        {"MapEditor", "Floors"},
        {"MapEditor", "Grid"},
        {"MapEditor", "ProfMode"},
    };
    for (const auto& k : keys)
        EXPECT_NE(ini.get(k[0], k[1], "<missing>", 64), "<missing>") << k[0] << "/" << k[1];
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

TEST_F(MainWindowTest, ReadsSettingsAtStartAndKeepsForeignLinesAtShutdown) {
    writeIni("; kept as written\r\n[Global]\r\nShowAbout=1\r\nLastExtension=SOD\r\n"
             "ScrollDelta=2\r\n[Mine]\r\nOwn=value\r\n");
    CZentrikDlg& w = start();
    EXPECT_EQ(context->settings.lastExtension, "SOD");
    EXPECT_EQ(context->settings.showAbout, 1);
    EXPECT_EQ(context->wheelStep, 40); // three pages per notch
    EXPECT_TRUE(w.close());

    const IniFile ini = iniOnDisk();
    EXPECT_EQ(ini.get("Global", "LastExtension", "", 15), "SOD");
    EXPECT_EQ(ini.get("Global", "ShowAbout", "", 3), "0");
    EXPECT_EQ(ini.get("Global", "ScrollDelta", "", 3), "2");
    EXPECT_EQ(ini.get("Mine", "Own", "", 64), "value");
    EXPECT_NE(ini.text().find("; kept as written"), std::string::npos);
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

TEST_F(MainWindowTest, AMissingStdPathFolderLeavesTheCurrentFolder) {
    const fs::path before = fs::current_path();
    writeIni("[Global]\nStdPath=" + (program / "gone").string() + "\n");
    start();
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, AProgramFolderThatCannotBeWrittenKeepsTheSettingsPerUser) {
    const fs::path readOnly = program / "not-a-folder";
    std::ofstream(readOnly) << "a file, so nothing can be created below it";
    context = std::make_unique<AppContext>(ProgramPaths{readOnly, user / "cfg"});
    context->prompter = &prompter;
    window = std::make_unique<CZentrikDlg>(*context);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(IniFile(user / "cfg" / "Zentrik.ini").path(), context->ini.path());
    IniFile ini(user / "cfg" / "Zentrik.ini");
    ini.load();
    EXPECT_EQ(ini.get("Global", "ShowAbout", "", 3), "0");
}

TEST_F(MainWindowTest, DestroyingWithoutCloseStillWritesTheSettingsOnce) {
    start();
    context->settings.lastExtension = "OZ6";
    window.reset();
    EXPECT_EQ(iniOnDisk().get("Global", "LastExtension", "", 15), "OZ6");
    EXPECT_TRUE(context->isShutDown());
    EXPECT_EQ(context->prompter, &prompter); // a scripted prompter stays plugged in
}

} // namespace
} // namespace zentrik::gui
