// The map page inside the main window: the toolbar's map commands reach it, and the side
// panel hears where the mouse is.
#include "app/MainToolbar.h"
#include "app/SidePanel.h"
#include "EditorFixture.h"
#include "mapedit/CPropMapEdit.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace zentrik::test {
namespace {

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
