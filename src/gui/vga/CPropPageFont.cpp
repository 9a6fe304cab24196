#include "vga/CPropPageFont.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "draw/DeviceBmpTarget.h"
#include "imaging/BmpImport.h"
#include "imaging/PictureFile.h"
#include "pages/PixelData.h"
#include "vga/FontListCtrl.h"
#include "vga/PageKeys.h"
#include "vga/VgaData.h"
#include "vgagraph/FontOps.h"
#include "vgagraph/VgaBmpTargets.h"
#include "widgets/ChunkNumberField.h"
#include "widgets/ChunkStrip.h"
#include "widgets/PictureDrop.h"
#include "widgets/PictureEditorPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <filesystem>

namespace zentrik::gui {

namespace {
const PageRegistration reg("CPropPageFont", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPropPageFont(c, parent);
});
constexpr int kMinSide = 1;
constexpr int kMaxSide = 100;
constexpr int kEditorSquare = 205;
constexpr int kEmptyMagnification = 5;
constexpr int kListHeight = 130;
constexpr int kSampleScale = 2;
constexpr const char* kStripSample = "Aa1"; // what each font shows in the strip

// The sample line drawn with the font, absent characters left out.
QImage renderSample(const std::vector<uint8_t>& font, const QString& text,
                    const std::array<QRgb, 256>& palette) {
    const int h = fontHeight(font);
    int w = 0;
    const QByteArray codes = text.toLatin1();
    for (char ch : codes)
        w += fontCharPresent(font, uint8_t(ch)) ? fontCharWidth(font, uint8_t(ch)) : 0;
    if (w <= 0 || h <= 0)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    int x0 = 0;
    for (char ch : codes) {
        const int c = uint8_t(ch);
        if (!fontCharPresent(font, c))
            continue;
        const int cw = fontCharWidth(font, c);
        const size_t at = size_t(fontCharLocation(font, c));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < cw; ++x) {
                const size_t i = at + size_t(y * cw + x);
                image.setPixel(x0 + x, y, palette[i < font.size() ? font[i] : 0]);
            }
        x0 += cw;
    }
    return image.scaled(w * kSampleScale, h * kSampleScale);
}

// "A", "65" or "0x41": the character itself, its decimal value (two digits or more) or hex.
int parseCharacter(const QString& s) {
    bool ok = false;
    int v = -1;
    if (s.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        v = s.mid(2).toInt(&ok, 16);
    else if (s.size() >= 2)
        v = s.toInt(&ok, 10);
    else if (s.size() == 1 && s[0].unicode() < 256)
        return s[0].unicode();
    return ok && v >= 0 && v < 256 ? v : -1;
}
} // namespace

CPropPageFont::CPropPageFont(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_vga(VgaData::of(context)) {
    PixelData& px = m_vga.pixels();
    m_device = std::make_unique<CFontDevice>(m_vga.state().fonts, px.prompter());
    context.workspace.watchHistory(DataSet::Fonts, &m_device->undoRing());
    m_editor = std::make_unique<PictureEditor>(*m_device, px.clipboard());
    m_panel = new PictureEditorPanel(this);
    m_panel->setPalette(px.paletteColours());
    m_panel->setEditor(m_editor.get());
    m_panel->setPasteEnabled(!px.clipboard().empty());

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("FontScroll"));
    m_scroll->setPageStep(2);
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("PositionLabel"));
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncing)
            showFont(v);
    });
    m_number = new ChunkNumberField(QStringLiteral("font"), this);
    connect(m_number, &ChunkNumberField::chunkChosen, this, &CPropPageFont::showFont);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Font number:"), this));
    top->addWidget(m_scroll, 1);
    top->addWidget(m_position);
    top->addWidget(m_number);
    // Each font's sample, so the fonts are told apart at a glance; a click shows that font.
    m_strip = new ChunkStrip(this);
    connect(m_strip, &ChunkStrip::chunkChosen, this, &CPropPageFont::showFont);
    m_list = new FontListCtrl;
    auto* area = new QScrollArea(this);
    area->setWidget(m_list);
    area->setWidgetResizable(true);
    area->setFixedHeight(kListHeight);
    connect(m_list, &FontListCtrl::characterClicked, this, &CPropPageFont::selectCharacter);
    m_sampleText =
        new QLineEdit(QStringLiteral("The quick brown fox jumps over the lazy dog"), this);
    m_sampleText->setObjectName(QStringLiteral("SampleText"));
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("SamplePreview"));
    connect(m_sampleText, &QLineEdit::textChanged, this, [this] { refresh(); });

    if (auto* row = qobject_cast<QHBoxLayout*>(m_panel->layout()))
        row->insertWidget(row->count() - 1, buildSide(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_strip);
    layout->addWidget(area);
    layout->addWidget(m_sampleText);
    layout->addWidget(m_sample);
    layout->addWidget(m_panel);
    layout->addStretch(1);

    connect(m_panel, &PictureEditorPanel::edited, this, &CPropPageFont::edited);
    connect(m_panel, &PictureEditorPanel::copied, &px, &PixelData::announceCopied);
    connect(&px, &PixelData::clipboardFilled, this, [this] { m_panel->setPasteEnabled(true); });
    connect(&px, &PixelData::paletteSwitched, this, [this] {
        m_panel->setPalette(m_vga.pixels().paletteColours());
        refresh();
    });
    connect(&px, &PixelData::setReplaced, this, [this](DataSet set) {
        if (set == DataSet::Fonts)
            replaced();
    });
    addPageKeys(this, [this](int step) { showFont(m_font + step); });
    new PictureDrop(
        this, [this] { return fontBytes() && m_code >= 0; },
        [this](const std::string& path) { importFile(path); });
    refresh();
}

CPropPageFont::~CPropPageFont() {
    m_context.workspace.watchHistory(DataSet::Fonts, nullptr);
}

QWidget* CPropPageFont::buildSide() {
    auto* side = new QWidget(m_panel);
    auto field = [side](const char* name) {
        auto* f = new QLineEdit(side);
        f->setObjectName(QLatin1String(name));
        f->setValidator(new QIntValidator(-999, 9999, f));
        f->setMaximumWidth(64);
        return f;
    };
    m_width = field("WidthField");
    m_height = field("HeightField");
    // Enter and the focus leaving both end an edit; only a changed text acts, once.
    connect(m_width, &QLineEdit::editingFinished, this, &CPropPageFont::applyWidth);
    connect(m_height, &QLineEdit::editingFinished, this, &CPropPageFont::applyHeight);
    auto button = [this, side](const char* text, void (CPropPageFont::*slot)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), side);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* grid = new QGridLayout(side);
    grid->addWidget(new QLabel(QStringLiteral("Width  :"), side), 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height :"), side), 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(button("Delete character", &CPropPageFont::deleteCharacter), 2, 0, 1, 2);
    grid->addWidget(button("Add new character...", &CPropPageFont::askNewCharacter), 3, 0, 1, 2);
    grid->addWidget(button("Export", &CPropPageFont::exportCharacter), 4, 0);
    grid->addWidget(button("Import", &CPropPageFont::importCharacter), 4, 1);
    grid->addWidget(button("Export all fonts...", &CPropPageFont::exportAllFonts), 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    return side;
}

std::vector<uint8_t>* CPropPageFont::fontBytes() {
    auto& fonts = m_vga.state().fonts.fonts;
    return m_font >= 0 && m_font < int(fonts.size()) ? &fonts[size_t(m_font)] : nullptr;
}

int CPropPageFont::fontCount() const {
    return int(m_vga.state().fonts.fonts.size());
}

QString CPropPageFont::positionText() const {
    return m_position->text();
}

void CPropPageFont::showFont(int font) {
    if (fontCount() == 0)
        return;
    m_editor->leaveChunk();
    m_font = std::clamp(font, 0, fontCount() - 1);
    m_code = -1;
    refresh();
}

void CPropPageFont::selectCharacter(int code) {
    m_editor->leaveChunk();
    m_code = code;
    refresh();
}

void CPropPageFont::refresh() {
    const int n = fontCount();
    m_font = std::clamp(m_font, 0, std::max(0, n - 1));
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, n - 1));
    m_scroll->setValue(m_font);
    m_scroll->setEnabled(n > 1);
    m_syncing = false;
    m_number->showChunk(m_font, n);
    showStrip();
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_font + 1).arg(n) : QString());
    const auto colours = m_vga.pixels().paletteColours();
    std::vector<uint8_t>* font = fontBytes();
    m_list->setActFont(font, colours);
    // The selected character stays while it is present; else the first present one.
    const auto& codes = m_list->codes();
    if (font && (m_code < 0 || !fontCharPresent(*font, m_code)))
        m_code = codes.empty() ? -1 : codes.front();
    m_list->setSelected(m_code);
    m_device->selectCharacter(font ? m_font : -1, m_code);
    const int w = m_device->width(), h = m_device->height();
    m_editor->view().reset(w);
    m_editor->view().magnification =
        w > 0 && h > 0 ? std::max(1, kEditorSquare / std::max(w, h)) : kEmptyMagnification;
    m_panel->chunkChanged();
    m_width->setText(font && m_code >= 0 ? QString::number(fontCharWidth(*font, m_code))
                                         : QString());
    m_height->setText(font ? QString::number(fontHeight(*font)) : QString());
    m_width->setEnabled(m_code >= 0);
    m_height->setEnabled(font != nullptr);
    m_sample->setPixmap(
        font ? QPixmap::fromImage(renderSample(*font, m_sampleText->text(), colours)) : QPixmap());
}

void CPropPageFont::showStrip() {
    const auto colours = m_vga.pixels().paletteColours();
    std::vector<QImage> samples;
    for (const auto& font : m_vga.state().fonts.fonts)
        samples.push_back(renderSample(font, QLatin1String(kStripSample), colours));
    m_strip->setThumbnails(0, std::move(samples), m_font);
}

void CPropPageFont::edited() {
    m_vga.historyMoved(DataSet::Fonts);
    m_list->update();
    if (std::vector<uint8_t>* font = fontBytes())
        m_strip->updateThumbnail(m_font, renderSample(*font, QLatin1String(kStripSample),
                                                      m_vga.pixels().paletteColours()));
    if (std::vector<uint8_t>* font = fontBytes())
        m_sample->setPixmap(QPixmap::fromImage(
            renderSample(*font, m_sampleText->text(), m_vga.pixels().paletteColours())));
}

void CPropPageFont::replaced() {
    m_editor->deleteSelection();
    m_editor->cancel();
    m_device->clearHistory();
    m_font = 0;
    m_code = -1;
    refresh();
}

void CPropPageFont::refuse(const char* caption) {
    m_vga.pixels().prompter().message("Only values between 1 and 100 allowed!", caption,
                                      MessageIcon::Exclamation);
}

void CPropPageFont::applyWidth() {
    std::vector<uint8_t>* font = fontBytes();
    if (!m_width->isModified() || !font || m_code < 0)
        return;
    m_width->setModified(false);
    const int w = m_width->text().toInt();
    if (w < kMinSide || w > kMaxSide) {
        refuse("Illegal width!");
    } else if (w != fontCharWidth(*font, m_code)) {
        m_editor->leaveChunk();
        if (Status st = m_device->SetCurWidth(w); st)
            m_vga.markModified(DataSet::Fonts);
    }
    refresh();
}

void CPropPageFont::applyHeight() {
    std::vector<uint8_t>* font = fontBytes();
    if (!m_height->isModified() || !font)
        return;
    m_height->setModified(false);
    const int h = m_height->text().toInt();
    const int old = fontHeight(*font);
    Prompter& p = m_vga.pixels().prompter();
    if (h < kMinSide || h > kMaxSide) {
        refuse("Illegal height!");
    } else if (h != old) {
        const char* text =
            h > old ? "Do you really want to change\nthe height of ALL characters of this font?\n"
                    : "Do you really want to change the height of ALL characters of this "
                      "font?\n\nWARNING: As the height shrinks you may loose the \"feet\" of "
                      "your characters!";
        if (p.ask(text, "Change font height?", Buttons::YesNo, MessageIcon::Question) ==
            Answer::Yes) {
            m_editor->leaveChunk();
            if (Status st = m_device->SetHeight(h); st)
                m_vga.markModified(DataSet::Fonts);
        }
    }
    refresh();
}

void CPropPageFont::deleteCharacter() {
    if (!fontBytes() || m_code < 0)
        return;
    m_editor->deleteSelection();
    m_editor->cancel();
    if (Status st = m_device->SetCurWidth(0); st)
        m_vga.markModified(DataSet::Fonts);
    m_code = -1;
    refresh();
}

void CPropPageFont::addCharacter(int code) {
    std::vector<uint8_t>* font = fontBytes();
    if (!font || code < 0 || code > 255)
        return;
    if (!fontCharPresent(*font, code)) {
        m_editor->leaveChunk();
        m_device->selectCharacter(m_font, code);
        Status st = SetCurWidth(*font, code, 1, m_vga.pixels().prompter());
        if (!st) {
            m_vga.pixels().prompter().message(st.error().text, st.error().caption,
                                              MessageIcon::Exclamation);
            return;
        }
        m_device->clearHistory();
        m_vga.markModified(DataSet::Fonts);
    }
    m_code = code;
    refresh();
}

void CPropPageFont::askNewCharacter() {
    if (!fontBytes())
        return;
    bool ok = false;
    const QString s = QInputDialog::getText(
        this, QStringLiteral("Add new character..."),
        QStringLiteral("The character, its decimal value (two digits or more) or hex (0xA0):"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const int code = parseCharacter(s.trimmed());
    if (code < 0) {
        m_vga.pixels().prompter().message("Give one character, a value of 0 to 255 or 0x00 to "
                                          "0xFF.",
                                          "Add new character...", MessageIcon::Exclamation);
        return;
    }
    addCharacter(code);
}

void CPropPageFont::exportCharacter() {
    std::vector<uint8_t>* font = fontBytes();
    if (!font || m_code < 0)
        return;
    PixelData& px = m_vga.pixels();
    auto path = px.prompter().saveFile(
        {"Export character to bitmap as...", kPictureFilter, "png",
         px.exportProposal(("font" + std::to_string(m_font) + "-char").c_str(), m_code)});
    if (!path)
        return;
    px.rememberExport(*path);
    m_editor->leaveChunk();
    ExportPicture(FontCharBmpTarget(*font, m_code), *path, px.palette(), px.prompter());
}

void CPropPageFont::exportAllFonts() {
    const auto& fonts = m_vga.state().fonts.fonts;
    if (fonts.empty())
        return;
    PixelData& px = m_vga.pixels();
    auto folder = px.prompter().chooseFolder("Export all fonts to...", px.exportFolder());
    if (!folder)
        return;
    m_editor->leaveChunk();
    int written = 0;
    for (size_t i = 0; i < fonts.size(); ++i) {
        const FontSheetBmpTarget sheet(fonts[i]);
        if (sheet.width() == 0)
            continue; // a font without characters
        const auto path = std::filesystem::path(*folder) /
                          std::filesystem::path(px.exportProposal("font", int(i))).filename();
        if (!ExportPicture(sheet, path, px.palette(), px.prompter()))
            return;
        ++written;
    }
    px.rememberExport((std::filesystem::path(*folder) / "all").string());
    px.prompter().message("Exported " + std::to_string(written) + " fonts to " + *folder,
                          "Export all", MessageIcon::Information);
}

void CPropPageFont::importCharacter() {
    if (!fontBytes() || m_code < 0)
        return;
    PixelData& px = m_vga.pixels();
    if (auto path = px.prompter().openFile(
            {"Choose bitmap to import character from...", kPictureFilter, "bmp", ""}))
        importFile(*path);
}

void CPropPageFont::importFile(const std::string& path) {
    if (!fontBytes() || m_code < 0)
        return;
    PixelData& px = m_vga.pixels();
    m_editor->leaveChunk();
    DeviceBmpTarget target(*m_device, false);
    if (ImportBMP(target, path, px.colours(), px.prompter(), px.jobs())) {
        m_vga.historyMoved(DataSet::Fonts); // one rectangle step
        refresh();
    }
}

} // namespace zentrik::gui
