#include "EditorFixture.h"
#include "pages/ClipboardPalette.h"
#include "pages/CProp07Palette.h"
#include "pages/NewPaletteDialog.h"
#include "widgets/ColorGrid.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::EditorTest;

class PalettePageTest : public EditorTest {
protected:
    CProp07Palette& page() {
        if (!window)
            start();
        auto* p = qobject_cast<CProp07Palette*>(window->page("CProp07Palette"));
        EXPECT_NE(p, nullptr);
        showPage(p);
        return *p;
    }
    void click(const char* text) {
        QPushButton* b = page().button(QString::fromLatin1(text));
        ASSERT_NE(b, nullptr) << text;
        b->click();
    }
};

TEST_F(PalettePageTest, PickerAndChangeColorWriteTheSelectedEntry) {
    CProp07Palette& p = page();
    p.selectEntry(10);
    p.picker()->setCurrentColor(QColor(1, 2, 3));
    EXPECT_EQ(context->palettes.current().entries[10], (Rgb{1, 2, 3}));
    EXPECT_EQ(p.grid()->color(10), qRgb(1, 2, 3));

    p.field(0)->setValue(300);
    click("Change Color");
    EXPECT_EQ(context->palettes.current().entries[10], (Rgb{255, 255, 255}));
    EXPECT_EQ(p.picker()->currentColor(), QColor(255, 255, 255));

    p.selectEntry(200); // (200, 55, 100): its grey is 118
    p.field(0)->setValue(0);
    p.grey()->setChecked(true);
    click("Change Color");
    EXPECT_EQ(context->palettes.current().entries[200], (Rgb{118, 118, 118}));
    EXPECT_EQ(context->palettes.current().entries[199], (Rgb{199, 56, 99}));
}

TEST_F(PalettePageTest, ListLoadsAPaletteAndSaveWritesTheCurrentOne) {
    GamePalette other;
    other.entries[1] = Rgb{4, 5, 6};
    test::writePalette(program / "palette" / "Other.pal", other);
    CProp07Palette& p = page();
    ASSERT_EQ(p.paletteList()->count(), 2);
    p.paletteList()->setCurrentRow(0); // "Other"
    EXPECT_EQ(context->palettes.current(), other);

    const fs::path target = program / "saved.pal";
    prompter.expectPath(target.string());
    click("Save selected Palette in Zentrik-Format");
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].filter, "Palette|*.PAL|Alle Dateien|*.*||");
    EXPECT_EQ(fs::path(prompter.fileDialogs[0].initialPath), program / "palette" / "Other.pal");
    EXPECT_EQ(test::readBytes(target), palFileBytes(other));

    prompter.expectPath(std::nullopt); // cancelled: nothing written
    click("Save selected Palette in Zentrik-Format");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PalettePageTest, RipTakesTheColourTableOfAnIndexedPicture) {
    QImage shot(4, 4, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table << qRgb(255 - i, i, 7);
    shot.setColorTable(table);
    const auto colours = paletteOfImage(shot);
    ASSERT_TRUE(colours.has_value());
    ASSERT_EQ(colours->size(), 256u);
    EXPECT_EQ((*colours)[3], (Rgb{252, 3, 7}));
    EXPECT_FALSE(paletteOfImage(QImage(4, 4, QImage::Format_RGB32)).has_value());

    CProp07Palette& p = page();
    p.readClipboard = [&] { return colours; };
    click("Rip Palette from a Screenshot in the clipboard");
    EXPECT_EQ(context->palettes.current().entries[3], (Rgb{252, 3, 7}));
    EXPECT_EQ(p.grid()->color(3), qRgb(252, 3, 7));
}

} // namespace
} // namespace zentrik::gui
