#include "EditorFixture.h"
#include "pages/CPropConfig.h"
#include "pages/ExtensionListEditor.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace zentrik::gui {
namespace {

namespace fs = std::filesystem;
using test::EditorTest;

class ConfigPageTest : public EditorTest {
protected:
    CPropConfig& page() {
        if (!window)
            start();
        auto* p = qobject_cast<CPropConfig*>(window->page("CPropConfig"));
        EXPECT_NE(p, nullptr);
        showPage(p);
        return *p;
    }
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

} // namespace
} // namespace zentrik::gui
