// The map page's Check panel as a user meets it: break the level (delete the start, open the
// edge), see the panel list it, double-click, fix, see it clear; every level; the save's note;
// the level picture.
#include "mapedit/MapCheckPanel.h"
#include "mapedit/LevelPictureExport.h"
#include "MapPageFixture.h"

#include "imaging/PngCodec.h"

#include <QTreeWidget>

namespace zentrik::gui {
namespace {

class MapCheck : public MapPage {
protected:
    MapCheckPanel* panel() { return page->findChild<MapCheckPanel*>(); }
    // Waits for the background check to come back.
    void settle() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return panel()->idle(); }, 10000));
    }
    QTreeWidgetItem* row(int i) { return panel()->list()->topLevelItem(i); }
    void edit(int plane, int x, int y, uint16_t v) {
        context.workspace.editLevel(
            [&] { level().planes[size_t(plane)][size_t(y * kMapSide + x)] = v; });
    }
    int start() {
        for (int i = 0; i < kPlaneWords; ++i)
            if (level().planes[1][size_t(i)] >= 19 && level().planes[1][size_t(i)] <= 22)
                return i;
        return -1;
    }
};

TEST_F(MapCheck, BrokenLevelIsListedAndClearsWhenFixed) {
    loadShareware();
    settle();
    EXPECT_EQ(panel()->statusText(), "No problems");
    const int s = start();
    ASSERT_GE(s, 0);
    edit(1, s % kMapSide, s / kMapSide, 0);
    edit(0, 10, 0, 108);
    settle();
    EXPECT_EQ(panel()->statusText(), "2 errors, 0 warnings");
    ASSERT_EQ(panel()->list()->topLevelItemCount(), 2);
    EXPECT_EQ(row(0)->text(3), "no-start");
    EXPECT_EQ(row(1)->text(3), "open-edge");
    EXPECT_EQ(row(1)->text(1), "10,0");

    emit panel()->list()->itemDoubleClicked(row(1), 0);
    const MapSelection sel = page->tools().selection();
    EXPECT_EQ(std::tie(sel.x0, sel.y0, sel.x1, sel.y1), std::make_tuple(10, 0, 11, 1));

    ASSERT_TRUE(context.workspace.undo(DataSet::Maps));
    ASSERT_TRUE(context.workspace.undo(DataSet::Maps));
    settle();
    EXPECT_EQ(panel()->statusText(), "No problems");
    EXPECT_EQ(panel()->list()->topLevelItemCount(), 0);
}

TEST_F(MapCheck, AllLevelsAndGoingToAnotherLevel) {
    loadShareware();
    panel()->checkAllLevels();
    settle();
    EXPECT_EQ(panel()->statusText(), "All levels: 1 error, 1 warning");
    ASSERT_EQ(panel()->list()->topLevelItemCount(), 2);
    EXPECT_EQ(row(0)->text(0), "2"); // errors first: E1M3's open edge
    emit panel()->list()->itemDoubleClicked(row(0), 0);
    EXPECT_EQ(context.workspace.currentLevel(), 2);
    EXPECT_EQ(page->tools().selection().x0, 7);
    EXPECT_EQ(page->tools().selection().y0, 63);
}

TEST_F(MapCheck, SaveWithErrorsSaysHowManyOnce) {
    loadShareware();
    auto notes = [this] {
        return std::count_if(prompter.messages.begin(), prompter.messages.end(),
                             [](const RecordedMessage& m) { return m.caption == "Level check"; });
    };
    prompter.expectPath(gamemaps.string());
    ASSERT_TRUE(page->saveMaps());
    ASSERT_EQ(notes(), 1);
    EXPECT_EQ(prompter.messages.back().text.rfind("1 error in the saved levels", 0), 0u);
    clock.advance(1001);
    prompter.expectPath(gamemaps.string());
    ASSERT_TRUE(page->saveMaps());
    EXPECT_EQ(notes(), 1);
}

TEST_F(MapCheck, LevelPictureWithItsProblems) {
    loadShareware();
    ASSERT_TRUE(context.workspace.levelEditor().setCurrentMap(2));
    LevelPictureOptions o;
    o.cell = 4;
    const fs::path out = dir / "level.png";
    ASSERT_TRUE(exportLevelPicture(context, out.string(), o, true));
    auto png = readPng(test::readBytes(out));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 256);
    EXPECT_EQ(png->height, 256 + kLegendLineHeight + 4);
    EXPECT_TRUE(page->action("exportLevelPicture")->isEnabled());
    EXPECT_FALSE(exportLevelPicture(context, (dir / "no" / "such" / "x.png").string(), o, false));
}

} // namespace
} // namespace zentrik::gui
