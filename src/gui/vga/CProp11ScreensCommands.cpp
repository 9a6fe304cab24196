// The Screens page's commands: the menus of its tool bar, the clipboard, the commands on the
// selection and the screen files.
#include "imaging/PictureFile.h"
#include "io/SafeFile.h"
#include "pages/PixelData.h"
#include "vga/CProp11Screens.h"
#include "vga/VgaData.h"
#include "vgagraph/CodePage437.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace zentrik::gui {

namespace {

// Other programs find the block under its own format name.
const QString kNamedFormat =
    QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(kScreenClipFormat);
constexpr const char* kImportFilter = "Wolfenstein Screen (*.SCR)|*.SCR|All files|*.*||";
constexpr const char* kExportFilter = "Wolfenstein Screen|*.SCR|All files|*.*||";

// The screen as palette indices 0 .. 15 over the text colours, for the picture writer.
class ScreenPicture : public BmpTarget {
public:
    explicit ScreenPicture(const QImage& image) : m_image(image) {}
    int width() const override { return m_image.width(); }
    int height() const override { return m_image.height(); }
    uint8_t getPixel(int x, int y) const override {
        const auto& c = textColours();
        return uint8_t(std::find(c.begin(), c.end(), m_image.pixel(x, y)) - c.begin());
    }
    void setPixel(int, int, uint8_t) override {}

private:
    QImage m_image;
};

GamePalette textPalette() {
    GamePalette p;
    for (size_t i = 0; i < textColours().size(); ++i) {
        const QRgb c = textColours()[i];
        p.entries[i] = {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))};
    }
    return p;
}

} // namespace

void CProp11Screens::addMenus(QToolBar* bar) {
    auto add = [this, bar](const char* text, auto slot) {
        QAction* a = bar->addAction(QString::fromLatin1(text), this, slot);
        m_actions.push_back(a);
        return a;
    };
    auto withMenu = [this, bar](const char* text, QMenu* menu) {
        QAction* a = bar->addAction(QString::fromLatin1(text));
        a->setMenu(menu);
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
            b->setPopupMode(QToolButton::InstantPopup);
        m_actions.push_back(a);
    };
    auto* flow = new QMenu(this);
    const struct {
        const char* text;
        GradientForm form;
    } forms[] = {{"Horizontal", GradientForm::Horizontal},
                 {"Horizontal Invert", GradientForm::HorizontalInvert},
                 {"Vertical", GradientForm::Vertical},
                 {"Vertical Invert", GradientForm::VerticalInvert}};
    for (const auto& f : forms)
        flow->addAction(QString::fromLatin1(f.text), this,
                        [this, form = f.form] { gradient(form); });
    withMenu("Colorflow", flow);
    auto* rect = new QMenu(this);
    rect->addAction(QStringLiteral("Filled Rectangle"), this, &CProp11Screens::filledRectangle);
    rect->addAction(QStringLiteral("Border"), this, [this] {
        BorderDialog dialog(m_border, this);
        if (dialog.exec() == QDialog::Accepted)
            border(dialog.parts());
    });
    withMenu("Rectangle", rect);
    add("Text", [this] {
        bool ok = false;
        const QString text = QInputDialog::getText(this, QStringLiteral("Insert Text"), QString(),
                                                   QLineEdit::Normal, QString(), &ok);
        if (ok)
            insertText(text);
    });
    bar->addSeparator();
    add("Copy", &CProp11Screens::copy)->setShortcut(QKeySequence::Copy);
    add("Cut", &CProp11Screens::cut)->setShortcut(QKeySequence::Cut);
    add("Paste", &CProp11Screens::paste)->setShortcut(QKeySequence::Paste);
    add("Undo", [this] { undo(); })->setShortcut(QKeySequence::Undo);
    add("Redo", [this] { redo(); })->setShortcut(QKeySequence::Redo);
    for (const char* name : {"Copy", "Cut", "Paste", "Undo", "Redo"})
        action(QString::fromLatin1(name))->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    bar->addSeparator();
    auto* modes = new QActionGroup(bar);
    for (const char* name : {"Blink", "Use bright colors"}) {
        QAction* a = add(name, [this, blink = name[0] == 'B'] {
            m_pens.mode = blink ? BackMode::Blink : BackMode::Bright;
            showPens();
            m_edit->update();
        });
        a->setCheckable(true);
        a->setChecked(name[0] == 'B');
        modes->addAction(a);
    }
}

void CProp11Screens::addFileCommands(QToolBar* bar) {
    bar->addSeparator();
    const struct {
        const char* text;
        void (CProp11Screens::*slot)();
    } commands[] = {{"Export Screen", &CProp11Screens::exportScreen},
                    {"Import Screen", &CProp11Screens::importScreen},
                    {"Export PNG", &CProp11Screens::exportPng}};
    for (const auto& c : commands)
        m_actions.push_back(bar->addAction(QString::fromLatin1(c.text), this, c.slot));
}

bool CProp11Screens::selected(PixelRect& out) const {
    if (!m_edit->selection() || !m_edit->screen())
        return false;
    out = m_edit->selection()->pixels();
    return true;
}

void CProp11Screens::copy() {
    PixelRect sel;
    if (!selected(sel))
        return;
    const auto block = CopyScreenBlock(*m_edit->screen(), sel);
    const QByteArray bytes(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kScreenClipMime), bytes);
    mime->setData(kNamedFormat, bytes);
    QApplication::clipboard()->setMimeData(mime);
}

void CProp11Screens::cut() {
    PixelRect sel;
    if (!selected(sel))
        return;
    copy();
    remember();
    CutScreenBlock(*m_edit->screen(), sel);
    edited();
}

void CProp11Screens::paste() {
    if (!m_edit->screen())
        return;
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QByteArray bytes;
    if (mime && mime->hasFormat(QString::fromLatin1(kScreenClipMime)))
        bytes = mime->data(QString::fromLatin1(kScreenClipMime));
    else if (mime && mime->hasFormat(kNamedFormat))
        bytes = mime->data(kNamedFormat);
    std::array<uint8_t, kScreenClipBytes> block{};
    // A block the screen cannot place (wrong size, no width or height) is refused here, so
    // nothing floats that a click could not put down.
    ScreenRecord probe = *m_edit->screen();
    if (bytes.size() == qsizetype(block.size()))
        std::copy(bytes.begin(), bytes.end(), block.begin());
    if (Status st = PasteScreenBlock(probe, block, 0, 0); !st) {
        m_vga.pixels().prompter().message(st.error().text, st.error().caption,
                                          MessageIcon::Exclamation);
        return;
    }
    m_edit->startFloating(block);
}

void CProp11Screens::gradient(GradientForm form) {
    PixelRect sel;
    if (!selected(sel))
        return;
    remember();
    PaintGradient(*m_edit->screen(), sel, form, m_pens.attribute());
    edited();
}

void CProp11Screens::filledRectangle() {
    PixelRect sel;
    if (!selected(sel))
        return;
    remember();
    PaintFilledRect(*m_edit->screen(), sel, m_pens.cell(false));
    edited();
}

void CProp11Screens::border(const BorderDialog::Parts& parts) {
    PixelRect sel;
    if (!selected(sel))
        return;
    m_border = parts;
    ScreenRecord trial = *m_edit->screen();
    if (Status st = PaintBorder(trial, sel, parts); !st) {
        m_vga.pixels().prompter().message(st.error().text, st.error().caption,
                                          MessageIcon::Exclamation);
        return;
    }
    remember();
    *m_edit->screen() = std::move(trial);
    edited();
}

void CProp11Screens::insertText(const QString& text) {
    ScreenRecord* s = m_edit->screen();
    if (!s || text.isEmpty())
        return;
    const int c0 = m_edit->selection() ? m_edit->selection()->c0 : 0;
    const int r0 = m_edit->selection() ? m_edit->selection()->r0 : 0;
    remember();
    // Characters beyond the right edge are dropped; those code page 437 lacks become '?'.
    const QList<uint> chars = text.toUcs4();
    for (int i = 0; i < int(chars.size()) && c0 + i < kScreenColumns; ++i)
        PaintCell(*s, c0 + i, r0, {cp437FromUnicode(char32_t(chars[i])), m_pens.attribute()}, true,
                  m_pens.editColors);
    edited();
}

void CProp11Screens::exportScreen() {
    ScreenRecord* s = m_edit->screen();
    if (!s)
        return;
    Prompter& p = m_vga.pixels().prompter();
    auto path = p.saveFile({"Export Screen", kExportFilter, "SCR", "*.SCR"});
    if (!path)
        return;
    if (Status st = replaceFile(*path, ExportScreenFile(*s)); !st)
        p.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
}

void CProp11Screens::importScreen() {
    ScreenRecord* s = m_edit->screen();
    if (!s)
        return;
    Prompter& p = m_vga.pixels().prompter();
    auto path = p.openFile({"Import Screen", kImportFilter, "SCR", "*.SCR"});
    if (!path)
        return;
    auto bytes = readWholeFile(*path);
    ScreenRecord next = *s;
    Status st = bytes ? ImportScreenFile(next, *bytes) : Status(bytes.error());
    if (!st) {
        p.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return;
    }
    remember();
    *s = std::move(next);
    edited();
}

void CProp11Screens::exportPng() {
    ScreenRecord* s = m_edit->screen();
    if (!s)
        return;
    Prompter& p = m_vga.pixels().prompter();
    auto path = p.saveFile({"Export screen as picture...", kPictureFilter, "png", "*.PNG"});
    if (!path)
        return;
    ExportPicture(ScreenPicture(renderTextScreen(*s, m_pens.mode)), *path, textPalette(), p);
}

} // namespace zentrik::gui
