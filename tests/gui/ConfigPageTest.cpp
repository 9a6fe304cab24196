// The settings pages: Config with its extension list, and the Palette page.
#include "EditorFixture.h"
#include "pages/ClipboardPalette.h"
#include "pages/CProp07Palette.h"
#include "pages/CPropConfig.h"
#include "pages/ExtensionListEditor.h"
#include "pages/NewPaletteDialog.h"
#include "widgets/ColorGrid.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::EditorTest;

class ConfigPageTest : public EditorTest {
protected:
    CPropConfig& page() { return EditorTest::page<CPropConfig>("CPropConfig"); }
    QStringList rows() {
        ExtensionListEditor* list = page().extensionList();
        QStringList out;
        for (int r = 0; r < list->rowCount(); ++r) {
            auto* symbols = qobject_cast<QComboBox*>(list->cellWidget(r, 1));
            auto* palette = qobject_cast<QComboBox*>(list->cellWidget(r, 2));
            out << list->item(r, 0)->text() + "|" + symbols->currentText() + "|" +
                       palette->currentText();
        }
        return out;
    }
};

TEST_F(ConfigPageTest, ShowsTheDefaultsAndWritesEveryChangedKey) {
    CPropConfig& c = page();
    EXPECT_EQ(c.farTag()->text(), "A8");

    c.tooltips()->click();
    c.wheel()->setCurrentIndex(4);
    c.expandGroup()->button(2)->click();
    c.compressGroup()->button(1)->click();
    c.modeGroup()->button(1)->click();
    c.spriteGroup()->button(0)->click();
    c.farTag()->clear();
    QTest::keyClicks(c.farTag(), "b9x7"); // "x" is no hex digit, then the length limit
    c.nearTag()->setText("0c");
    c.rlewTag()->setText("1234");
    c.dontLoadRlew()->click();
    c.chkMaphead()->click();
    c.chkMaps()->click();
    // Applies at once: the wheel step and the tags are what the loaders see now.
    EXPECT_EQ(context->wheelStep, 24);
    EXPECT_EQ(context->settings.farTagByte(), 0xB9);
    EXPECT_EQ(context->settings.rlewTagWord(), 0x1234);

    window->close();
    const IniFile ini = iniOnDisk();
    const char* const expected[][3] = {
        {"Global", "Tooltips", "0"},
        {"Global", "ScrollDelta", "4"},
        {"Compression", "CarmarckExpand", "2"},
        {"Compression", "CarmarckCompress", "1"},
        {"Compression", "CarmarckMode", "1"},
        {"Compression", "SpriteCompression", "0"},
        {"Maps", "FAR", "b9"},
        {"Maps", "NEAR", "0c"},
        {"Maps", "RLEW", "1234"},
        {"Maps", "DontLoadRLEW", "1"},
        {"Maps", "ChkMaphead", "0"},
        {"Maps", "ChkMaps", "1"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(ini.get(e[0], e[1], "", 8), e[2]) << e[1];
}

TEST_F(ConfigPageTest, TypingInTheSuffixCellUpperCasesCutsAndAddsARow) {
    ExtensionListEditor* list = page().extensionList();
    ASSERT_EQ(list->rowCount(), 1); // no extensions.txt: only the new row
    list->item(0, 0)->setText("wl6x");
    QCoreApplication::processEvents();
    EXPECT_EQ(rows(), QStringList({"WL6| N/A| No Change", "| N/A| No Change"}));
    ASSERT_EQ(context->extensions.records().size(), 1u);
    EXPECT_EQ(context->extensions.records()[0].extension, "WL6");

    auto* palette = qobject_cast<QComboBox*>(list->cellWidget(0, 2));
    ASSERT_TRUE(palette->isEnabled());
    palette->textActivated("Wolfenstein3D");
    EXPECT_EQ(context->extensions.records()[0].palette, "Wolfenstein3D");
    EXPECT_EQ(context->settings.lastExtension, "WL6");
}

TEST_F(ConfigPageTest, ARowOfAnotherSuffixAsksFirstAndCellEditsApplyNothing) {
    ZENTRIK_REQUIRE_GAMEDATA();
    test::TempDir dir;
    const auto vswap = dir.copyGameFile("wl1/VSWAP.WL1");
    ExtensionListEditor* list = page().extensionList();
    InlineJobRunner jobs;
    context->jobs = &jobs;
    ASSERT_TRUE(context->workspace.loadWalls(vswap));
    context->extensions.setRecords(
        {{"WL1", kNoSymbolSet, kNoPaletteChange}, {"SOD", kNoSymbolSet, kNoPaletteChange}});
    ASSERT_TRUE(context->selectExtension(0));
    list->rebuild();
    ASSERT_EQ(list->currentRow(), 0);
    auto* palette = qobject_cast<QComboBox*>(list->cellWidget(1, 2));
    ASSERT_TRUE(palette->isEnabled());
    palette->textActivated("Wolfenstein3D");
    EXPECT_EQ(context->extensions.records()[1].palette, "Wolfenstein3D");
    EXPECT_EQ(context->settings.lastExtension, "WL1") << "an edited cell applies nothing";
    prompter.expectQuestion(Answer::No);
    list->setCurrentCell(1, 0);
    EXPECT_EQ(prompter.questions.back().text,
              "Apply the SOD palette and symbols to the loaded WL1 files?");
    EXPECT_EQ(context->settings.lastExtension, "WL1");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->currentRow(), 0) << "the row in use is current again";
    prompter.expectQuestion(Answer::Yes);
    list->setCurrentCell(1, 0);
    EXPECT_EQ(context->settings.lastExtension, "SOD");
}

class PalettePageTest : public EditorTest {
protected:
    CProp07Palette& page() { return EditorTest::page<CProp07Palette>("CProp07Palette"); }
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
