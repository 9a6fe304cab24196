// Takes a picture of every page with the shareware episode loaded, for the user guide
// (scripts/update-screenshots.sh copies them into docs/screenshots). Also a smoke test: every
// page must lay out and paint with real data without a message.
#include "app/AboutBox.h"
#include "app/LoadAllCommand.h"
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
    // Opens a copy of the shareware folder as "zentrik FOLDER" does: every set at once.
    void loadShareware(CZentrikDlg& w) {
        for (const char* name : {"GAMEMAPS.WL1", "MAPHEAD.WL1", "VSWAP.WL1", "VGAGRAPH.WL1",
                                 "VGAHEAD.WL1", "VGADICT.WL1", "AUDIOT.WL1", "AUDIOHED.WL1"})
            data.copyGameFile(std::string("wl1/") + name);
        ASSERT_TRUE(w.loadAllCommand()->open(data.path()));
        ASSERT_EQ(prompter.messages.size(), 1u); // the closing summary, all fine
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Information) << prompter.messages[0].text;
        prompter.messages.clear();
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
    // The game's own palette and extension table, so the pictures look as the user sees them.
    const fs::path shipped(ZENTRIK_SOURCE_DATA);
    fs::copy(shipped / "palette", program / "palette",
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    fs::copy_file(shipped / "extensions.txt", program / "extensions.txt");
    CZentrikDlg& w = start();
    if (auto* about = w.aboutBox())
        about->close();
    w.resize(1280, 900);
    QCoreApplication::processEvents(); // the pages hook into the toolbar once it is shown
    loadShareware(w);
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
