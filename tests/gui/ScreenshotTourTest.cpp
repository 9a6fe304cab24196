// Takes a picture of every page with the shareware episode loaded, for the user guide
// (scripts/update-screenshots.sh copies them into docs/screenshots). Also a smoke test: every
// page must lay out and paint with real data without a message.
#include "app/AboutBox.h"
#include "app/MainToolbar.h"
#include "app/TabLayout.h"
#include "EditorFixture.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;

class ScreenshotTour : public test::EditorTest {
protected:
    // Loads every kind of data the toolbar offers a loader for, from copies of the shareware
    // files: each loader asks for one file.
    void loadShareware(CZentrikDlg& w) {
        for (const char* name : {"GAMEMAPS.WL1", "MAPHEAD.WL1", "VSWAP.WL1", "VGAGRAPH.WL1",
                                 "VGAHEAD.WL1", "VGADICT.WL1", "AUDIOT.WL1", "AUDIOHED.WL1"})
            data.copyGameFile(std::string("wl1/") + name);
        const std::pair<Command, const char*> loads[] = {{Command::LoadMaps, "GAMEMAPS.WL1"},
                                                         {Command::LoadWalls, "VSWAP.WL1"},
                                                         {Command::LoadSprites, "VSWAP.WL1"},
                                                         {Command::LoadSounds, "VSWAP.WL1"},
                                                         {Command::LoadMusic, "AUDIOT.WL1"}};
        for (const auto& [command, file] : loads) {
            QAction* load = w.toolbar()->action(command);
            if (!load->isEnabled())
                continue; // not in this version yet
            prompter.expectPath((data / file).string());
            load->trigger();
        }
    }

    void shoot(QWidget* page, const QString& name) {
        showPage(page);
        const QString dir = QString::fromUtf8(ZENTRIK_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        EXPECT_TRUE(window->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))))
            << name.toStdString();
    }

    void shootAll(const std::vector<TabEntry>& tabs) {
        for (const TabEntry& tab : tabs) {
            if (!tab.nested.empty())
                shootAll(tab.nested);
            else if (QWidget* page = window->page(tab.pageClass))
                shoot(page, QString(tab.label).remove(QLatin1Char(' ')));
        }
    }

    test::TempDir data;
};

TEST_F(ScreenshotTour, EveryPageWithTheSharewareEpisode) {
    ZENTRIK_REQUIRE_GAMEDATA();
    CZentrikDlg& w = start();
    if (auto* about = w.aboutBox())
        about->close();
    w.resize(1280, 900);
    QCoreApplication::processEvents(); // the pages hook into the toolbar once it is shown
    loadShareware(w);
    EXPECT_TRUE(prompter.scriptUsedUp());
    const auto* counter =
        w.page(QStringLiteral("CPropMapEdit"))->findChild<QLabel*>("levelCounter");
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->text(), QStringLiteral("Map 1/10"));
    shootAll(mainTabs());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
    EXPECT_TRUE(fs::exists(fs::path(ZENTRIK_SCREENSHOT_DIR) / "MapEdit.png"));
}

} // namespace
} // namespace zentrik::gui
