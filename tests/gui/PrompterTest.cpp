#include "GuiTestSupport.h"
#include "platform/QtFileFilter.h"
#include "platform/QtPrompter.h"
#include "TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;

// Runs act on the modal dialog of type D as soon as it is up.
template <typename D> void whenModal(std::function<void(D&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*d);
        }
    });
    timer->start(5);
}

TEST(QtPrompter, FileDialogsUseTheConvertedFilterAndMarkTheQuietTime) {
    test::TempDir dir;
    std::ofstream(dir / "gamemaps.wl6") << "x";
    FakeClock clock;
    QuietTime quiet;
    QtPrompter prompter(nullptr, &quiet, &clock);

    clock.set(5000);
    QStringList filters;
    whenModal<QFileDialog>([&](QFileDialog& d) {
        filters = d.nameFilters();
        d.selectFile(QString::fromStdString((dir / "gamemaps.wl6").string()));
        static_cast<QDialog&>(d).accept(); // as the dialog's own button does
    });
    const auto opened = prompter.openFile(
        {"Load Maps", "Wolf3D (*.WL6)|*.WL6|All files (*.*)|*.*||", "", dir.path().string()});
    ASSERT_TRUE(opened);
    EXPECT_TRUE(fs::equivalent(*opened, dir / "gamemaps.wl6"));
    EXPECT_EQ(filters, QStringList({"Wolf3D (*.WL6 *.wl6)", "All files (*)"}));
    EXPECT_EQ(quiet.at(), 5000u);

    clock.set(9000);
    whenModal<QFileDialog>([&](QFileDialog& d) {
        d.selectFile(QString::fromStdString((dir / "NEWMAPS").string()));
        static_cast<QDialog&>(d).accept(); // as the dialog's own button does
    });
    const auto saved = prompter.saveFile({"", "Wolf3D|*.WL6||", "WL6", dir.path().string()});
    ASSERT_TRUE(saved);
    EXPECT_EQ(fs::path(*saved).filename(), "NEWMAPS.WL6"); // the default extension is added
    EXPECT_EQ(quiet.at(), 9000u);

    whenModal<QFileDialog>([](QFileDialog& d) { d.reject(); });
    EXPECT_FALSE(prompter.openFile({"", "", "", dir.path().string()}));
}

TEST(QtFileFilter, ConvertsTheProgramsFilterStrings) {
    struct Case {
        const char* program;
        const char* qt;
    };
    const Case cases[] = {
        {"Wolf3D (*.WL6)|*.WL6|All files (*.*)|*.*||", "Wolf3D (*.WL6 *.wl6);;All files (*)"},
        {"Bitmaps|*.bmp;*.BMP||", "Bitmaps (*.bmp *.BMP)"},
        {"Maps (GameMaps.*)|GameMaps.*; Maptemp.*||",
         "Maps (GameMaps.* GAMEMAPS.* gamemaps.* Maptemp.* MAPTEMP.* maptemp.*)"},
        {"Palettes|*.pal", "Palettes (*.pal *.PAL)"}, // no closing "||"
        {"", ""},
        {"|*.wav||", "Files (*.wav *.WAV)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toQtFilter(c.program), QString(c.qt)) << c.program;
}

TEST(QtFileFilter, APatternIsNoProposedNameAndBackupsAreLeftOut) {
    struct Case {
        const char* initial;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"*.BMP", "", ""},
        {"/games/wolf/*.BMP", "/games/wolf", ""},
        {"/exports/wall-012.png", "/exports", "wall-012.png"},
        {"VSWAP.WL6", "", "VSWAP.WL6"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const DialogStart start = dialogStart(c.initial);
        EXPECT_EQ(start.folder, QString(c.folder)) << c.initial;
        EXPECT_EQ(start.name, QString(c.name)) << c.initial;
    }
    EXPECT_TRUE(isBackupName(QStringLiteral("VSWAP.WL1.bak")));
    EXPECT_TRUE(isBackupName(QStringLiteral("GAMEMAPS.WL6.BAK")));
    EXPECT_FALSE(isBackupName(QStringLiteral("VSWAP.WL1")));
}

} // namespace
} // namespace zentrik::gui
