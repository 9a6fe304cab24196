#pragma once

// The map page with the shareware maps, driven like a user would: synthetic mouse and key
// events on the level map, the tool bar's actions and the menus.
#include "context/AppContext.h"
#include "GuiTestSupport.h"
#include "mapedit/CPropMapEdit.h"
#include "mapedit/MapStatisticsPanel.h"
#include "maps/MapFile.h"
#include "platform/QtClipboard.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace zentrik::gui {

namespace fs = std::filesystem;

// From the build's own definition: __FILE__ may be relative to the build folder (ccache).
inline const fs::path kSymbolFolder =
    fs::path(ZENTRIK_SOURCE_DATA) / "MapObjects" / "Wolfenstein 3D";

// Pixel centre of a map cell at the control's own geometry (grid on: 8-pixel pitch).
inline QPoint cellCentre(const LevelMapCtrl& map, int x, int y) {
    const int pitch = map.controller().view.pitch();
    return {x * pitch + 3, y * pitch + 3};
}

class MapPage : public ::testing::Test {
protected:
    MapPage() : context(ProgramPaths{dir.path(), dir.path() / "user"}) {
        context.prompter = &prompter;
        context.jobs = &jobs;
        context.clock = &clock;
        clock.set(50000);
        page = std::make_unique<CPropMapEdit>(context);
        test::StrictPrompter quietLoader;
        page->setSymbolSet(loadSymbolSetFolder(kSymbolFolder, quietLoader));
        page->resize(1000, 760);
    }

    // Loads the shareware maps through the "Load maps..." command and waits out the quiet time.
    void loadShareware() {
        ZENTRIK_REQUIRE_GAMEDATA();
        dir.copyGameFile("wl1/MAPHEAD.WL1");
        gamemaps = dir.copyGameFile("wl1/GAMEMAPS.WL1");
        prompter.expectPath(gamemaps.string());
        ASSERT_TRUE(page->loadMaps());
        clock.advance(1001);
    }
    // "Load maps..." makes the chosen folder the current one; the temporary folder goes away.
    ~MapPage() override { fs::current_path(m_startFolder); }

    // As the main window stores a pen and announces it.
    void setPen(bool left, Pen pen) {
        context.pens.of(left) = pen;
        emit context.messages.pensUpdated(left, kPenWall);
    }
    Level& level() { return *context.workspace.levels().current(); }
    uint16_t wall(int x, int y) { return level().planes[0][size_t(y * kMapSide + x)]; }
    uint16_t object(int x, int y) { return level().planes[1][size_t(y * kMapSide + x)]; }
    QPoint at(int x, int y) { return cellCentre(*page->map(), x, y); }
    // The mouse moved onto a cell with the given buttons held (QTest's moves hold none).
    void moveTo(int x, int y, Qt::MouseButtons held) {
        QMouseEvent move(QEvent::MouseMove, at(x, y), page->map()->mapToGlobal(at(x, y)),
                         Qt::NoButton, held, {});
        QCoreApplication::sendEvent(page->map(), &move);
    }
    void click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseMove(page->map(), at(x, y));
        QTest::mousePress(page->map(), b, {}, at(x, y));
        QTest::mouseRelease(page->map(), b, {}, at(x, y));
    }
    void drag(int x0, int y0, int x1, int y1) {
        QTest::mouseMove(page->map(), at(x0, y0));
        QTest::mousePress(page->map(), Qt::LeftButton, {}, at(x0, y0));
        moveTo(x1, y1, Qt::LeftButton);
        QTest::mouseRelease(page->map(), Qt::LeftButton, {}, at(x1, y1));
    }
    QLabel* stat(const char* name) { return page->findChild<MapStatisticsPanel*>()->number(name); }

    fs::path m_startFolder = fs::current_path();
    test::TempDir dir;
    test::StrictPrompter prompter;
    InlineJobRunner jobs;
    FakeClock clock;
    AppContext context;
    std::unique_ptr<CPropMapEdit> page;
    fs::path gamemaps;
};

} // namespace zentrik::gui
