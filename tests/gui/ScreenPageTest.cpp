// The Screens page on the shareware archive's two text screens: the selection and the
// clipboard block, the commands on a selection, .SCR files, undo and redo, and the save that
// the game reads back.
#include "vga/CProp11Screens.h"
#include "VgaFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace zentrik::gui {
namespace {

class ScreenPageTest : public VgaPagesTest {
protected:
    CProp11Screens& screens() {
        load(VgaPart::Screens, graph);
        return page<CProp11Screens>("CProp11Screens");
    }
    ScreenRecord& shown() { return state().screens.screens[size_t(screens_->current())]; }
    // Drags the selection tool from one cell to another (editor pixels inside the cells).
    void select(QPoint from, QPoint to) {
        ScreenEditCtrl* edit = screens_->editCtrl();
        screens_->action(QStringLiteral("Rectangle Select"))->trigger();
        QTest::mousePress(edit, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), edit->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &move);
        QTest::mouseRelease(edit, Qt::LeftButton, {}, to);
    }
    static QPoint cell(int column, int row) { return {column * 8 + 3, row * 16 + 5}; }
    CProp11Screens* screens_ = nullptr;
    void SetUp() override {
        VgaPagesTest::SetUp();
        if (!IsSkipped())
            screens_ = &screens();
    }
};

TEST_F(ScreenPageTest, UndoBackToTheLoadedTextClearsTheStar) {
    select(cell(1, 1), cell(3, 2));
    const auto before = shown().bytes;
    screens_->filledRectangle();
    ASSERT_NE(shown().bytes, before);
    EXPECT_TRUE(titleMarked());
    screens_->undo();
    EXPECT_FALSE(titleMarked());
    EXPECT_FALSE(state().screens.changed);
    screens_->redo();
    EXPECT_TRUE(titleMarked());
}

TEST_F(ScreenPageTest, CopyAndPasteA3x2Block) {
    EXPECT_EQ(screens_->positionText(), "1/2");
    EXPECT_EQ(screens_->chunkText(), QStringLiteral("Chunknum: %1").arg(shown().chunk));
    test::saveSnapshot(*window, "screens-page");
    select(cell(2, 3), cell(4, 4));
    EXPECT_EQ(screens_->selectionText(), "LX: 3 LY: 2");
    screens_->copy();
    const QByteArray block =
        QApplication::clipboard()->mimeData()->data(QString::fromLatin1(kScreenClipMime));
    ASSERT_EQ(block.size(), 4004);
    EXPECT_EQ(QByteArray(block.constData(), 4), QByteArray("\x18\x00\x20\x00", 4));
    std::vector<ScreenCell> copied;
    for (int r = 3; r <= 4; ++r)
        for (int c = 2; c <= 4; ++c)
            copied.push_back(getCell(shown(), c, r));
    for (size_t i = 0; i < copied.size(); ++i)
        EXPECT_EQ(uint8_t(block[4 + 2 * int(i)]), copied[i].character) << i;
    EXPECT_EQ(block.mid(4 + 12), QByteArray(4004 - 16, '\0'));

    const auto before = shown().bytes;
    screens_->paste();
    ASSERT_TRUE(screens_->editCtrl()->floating());
    QTest::keyClick(screens_->editCtrl(), Qt::Key_Escape);
    EXPECT_FALSE(screens_->editCtrl()->floating());
    EXPECT_EQ(shown().bytes, before);
    screens_->paste();
    QTest::mouseClick(screens_->editCtrl(), Qt::LeftButton, {}, cell(78, 10));
    EXPECT_EQ(getCell(shown(), 78, 10), copied[0]);
    EXPECT_EQ(getCell(shown(), 79, 11), copied[4]);
    EXPECT_TRUE(titleMarked());
    // A block of no width (from another program) is refused before it could float.
    auto* bad = new QMimeData;
    bad->setData(QString::fromLatin1(kScreenClipMime), QByteArray(4004, '\0'));
    QApplication::clipboard()->setMimeData(bad);
    screens_->paste();
    EXPECT_FALSE(screens_->editCtrl()->floating());
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(ScreenPageTest, SelectionIsClampedAndBordersGradientsAndFills) {
    select(cell(77, 23), QPoint(900, 700));
    EXPECT_EQ(screens_->selectionText(), "LX: 3 LY: 2");
    screens_->pens().foreground = 14;
    screens_->pens().background = 1;
    const uint8_t attr = screenAttribute(14, 1);
    BorderDialog::Parts parts;
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i] = {uint8_t('a' + i), attr};
    const struct {
        QPoint from, to;
        size_t messages;
    } borders[] = {{cell(10, 5), cell(11, 6), 0}, {cell(20, 5), cell(20, 5), 1}};
    for (const auto& b : borders) {
        prompter.messages.clear();
        const auto before = shown().bytes;
        select(b.from, b.to);
        screens_->border(parts);
        EXPECT_EQ(prompter.messages.size(), b.messages);
        if (b.messages) {
            EXPECT_EQ(shown().bytes, before) << "a one-cell border paints nothing";
        }
    }
    EXPECT_EQ(getCell(shown(), 10, 5), (ScreenCell{'a' + TopLeft, attr}));
    EXPECT_EQ(getCell(shown(), 11, 5), (ScreenCell{'a' + TopRight, attr}));
    EXPECT_EQ(getCell(shown(), 10, 6), (ScreenCell{'a' + BottomLeft, attr}));
    EXPECT_EQ(getCell(shown(), 11, 6), (ScreenCell{'a' + BottomRight, attr}));

    select(cell(30, 10), cell(33, 14));
    screens_->gradient(GradientForm::Vertical);
    const uint8_t bands[] = {0x20, 0xB0, 0xB1, 0xB2, 0xDB};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(getCell(shown(), 31, 10 + r), (ScreenCell{bands[r], attr})) << r;
    // Typed text goes in as the code page's characters.
    select(cell(40, 20), cell(40, 20));
    screens_->insertText(QStringLiteral("\u00E9\u2591\u263A\u20AC"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(getCell(shown(), 40 + i, 20).character,
                  (std::array<int, 4>{0x82, 0xB0, 0x01, 0x3F}[i]));
    EXPECT_TRUE(screens_->undo());
    EXPECT_TRUE(screens_->undo());
    EXPECT_NE(getCell(shown(), 31, 14).character, 0xDB);
    EXPECT_TRUE(screens_->redo());
    EXPECT_EQ(getCell(shown(), 31, 14).character, 0xDB);

    prompter.expectPath(graph.string());
    menu(true, VgaPart::Screens)->trigger();
    GameReader game(graph);
    EXPECT_EQ(game.chunk(int(shown().chunk)),
              std::vector<uint8_t>(shown().bytes.begin(), shown().bytes.begin() + 4008));
    EXPECT_FALSE(titleMarked());
}

TEST_F(ScreenPageTest, BlinkingTextHidesEveryOtherPhaseInTheBlinkModeOnly) {
    ScreenEditCtrl* edit = screens_->editCtrl();
    ScreenRecord& s = shown();
    for (int row = 0; row < kScreenRows; ++row)
        for (int col = 0; col < kScreenColumns; ++col)
            setCell(s, col, row, {'A', uint8_t(getCell(s, col, row).attribute & 0x7F)});
    edit->blinkTick();
    EXPECT_FALSE(edit->blinkHidden()) << "nothing blinks";
    setCell(s, 5, 5, {'A', 0x9F});
    edit->blinkTick();
    EXPECT_TRUE(edit->blinkHidden());
    edit->blinkTick();
    EXPECT_FALSE(edit->blinkHidden());
    screens_->action(QStringLiteral("Use bright colors"))->trigger();
    edit->blinkTick();
    EXPECT_FALSE(edit->blinkHidden()) << "bit 7 is a background colour bit there";
}

TEST_F(ScreenPageTest, ScrFilesRoundTripAndOtherSizesAreRefused) {
    const fs::path scr = dir / "ONE.SCR";
    prompter.expectPath(scr.string());
    screens_->exportScreen();
    const auto file = readBytes(scr);
    ASSERT_EQ(file.size(), 4000u);
    screens_->showScreen(1);
    prompter.expectPath(scr.string());
    screens_->importScreen();
    EXPECT_EQ(prompter.fileDialogs.back().filter.rfind("Wolfenstein Screen (*.SCR)|*.SCR|", 0), 0u);
    EXPECT_EQ(std::vector<uint8_t>(shown().bytes.begin() + 7, shown().bytes.begin() + 4007), file);
    const auto before = shown().bytes;
    writeBytes(dir / "BAD.SCR", std::vector<uint8_t>(4001, 7));
    prompter.expectPath((dir / "BAD.SCR").string());
    screens_->importScreen();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(shown().bytes, before);
    const fs::path png = dir / "screen.png";
    prompter.expectPath(png.string());
    screens_->exportPng();
    EXPECT_TRUE(fs::file_size(png) > 100);
}

} // namespace
} // namespace zentrik::gui
