#include "vga/BorderDialog.h"

#include "vga/TextScreenPaint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

const char* const kPartNames[9] = {"Top",       "Bottom",      "Left",         "Right", "Top left",
                                   "Top right", "Bottom left", "Bottom right", "Fill"};

struct Preset {
    const char* name;
    std::array<uint8_t, 9> chars; // in the order of the parts
};
constexpr Preset kPresets[] = {
    {"Single line", {0xC4, 0xC4, 0xB3, 0xB3, 0xDA, 0xBF, 0xC0, 0xD9, 0x20}},
    {"Double line", {0xCD, 0xCD, 0xBA, 0xBA, 0xC9, 0xBB, 0xC8, 0xBC, 0x20}},
    {"Double top and bottom", {0xCD, 0xCD, 0xB3, 0xB3, 0xD5, 0xB8, 0xD4, 0xBE, 0x20}},
    {"Double sides", {0xC4, 0xC4, 0xBA, 0xBA, 0xD6, 0xB7, 0xD3, 0xBD, 0x20}},
    {"Full blocks", {0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0x20}},
    {"Shaded", {0xB2, 0xB2, 0xB2, 0xB2, 0xB2, 0xB2, 0xB2, 0xB2, 0xB0}},
};
constexpr int kPreviewColumns = 7, kPreviewRows = 4;

QComboBox* colourBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int i = 0; i < 16; ++i) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromRgb(textColours()[size_t(i)]));
        box->addItem(QIcon(swatch), QString::number(i));
    }
    return box;
}

} // namespace

int BorderDialog::presetCount() {
    return int(std::size(kPresets));
}

BorderDialog::Parts BorderDialog::preset(int index, uint8_t attribute) {
    Parts parts;
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i] = {kPresets[index].chars[i], attribute};
    return parts;
}

BorderDialog::BorderDialog(const Parts& start, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Border"));
    m_presets = new QComboBox(this);
    for (const Preset& p : kPresets)
        m_presets->addItem(QString::fromLatin1(p.name));
    m_all = new QCheckBox(QStringLiteral("Change all Colors"), this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(kPartNames[i]), this), i, 0);
        m_chars[size_t(i)] = new QSpinBox(this);
        m_chars[size_t(i)]->setRange(0, 255);
        m_chars[size_t(i)]->setDisplayIntegerBase(16);
        m_fore[size_t(i)] = colourBox(this);
        m_back[size_t(i)] = colourBox(this);
        grid->addWidget(m_chars[size_t(i)], i, 1);
        grid->addWidget(m_fore[size_t(i)], i, 2);
        grid->addWidget(m_back[size_t(i)], i, 3);
        connect(m_chars[size_t(i)], &QSpinBox::valueChanged, this, [this] { showPreview(); });
        connect(m_fore[size_t(i)], &QComboBox::currentIndexChanged, this,
                [this, i](int c) { colourChanged(i, false, c); });
        connect(m_back[size_t(i)], &QComboBox::currentIndexChanged, this,
                [this, i](int c) { colourChanged(i, true, c); });
    }
    m_preview = new QLabel(this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Paint"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_presets);
    layout->addWidget(m_all);
    layout->addLayout(grid);
    layout->addWidget(m_preview);
    layout->addWidget(buttons);
    m_syncing = true;
    for (size_t i = 0; i < 9; ++i) {
        m_chars[i]->setValue(start[i].character);
        m_fore[i]->setCurrentIndex(start[i].attribute & 0xF);
        m_back[i]->setCurrentIndex(start[i].attribute >> 4);
    }
    m_syncing = false;
    connect(m_presets, &QComboBox::activated, this, &BorderDialog::applyPreset);
    showPreview();
}

BorderDialog::Parts BorderDialog::parts() const {
    Parts parts;
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i] = {uint8_t(m_chars[i]->value()),
                    screenAttribute(m_fore[i]->currentIndex(), m_back[i]->currentIndex())};
    return parts;
}

void BorderDialog::applyPreset(int index) {
    m_syncing = true;
    for (size_t i = 0; i < 9; ++i)
        m_chars[i]->setValue(kPresets[index].chars[i]);
    m_syncing = false;
    showPreview();
}

void BorderDialog::colourChanged(int part, bool back, int colour) {
    if (m_syncing)
        return;
    if (m_all->isChecked()) {
        m_syncing = true;
        for (int i = 0; i < 9; ++i)
            if (i != part)
                (back ? m_back : m_fore)[size_t(i)]->setCurrentIndex(colour);
        m_syncing = false;
    }
    showPreview();
}

void BorderDialog::showPreview() {
    if (m_syncing || !m_preview)
        return;
    ScreenRecord screen;
    screen.bytes.assign(kScreenChunkBytes, 0);
    PaintBorder(screen, {0, 0, kPreviewColumns * kCellPixelsX, kPreviewRows * kCellPixelsY},
                parts());
    const QImage full = renderTextScreen(screen, BackMode::Bright);
    m_preview->setPixmap(QPixmap::fromImage(
        full.copy(0, 0, kPreviewColumns * kCellPixelsX, kPreviewRows * kCellPixelsY)));
}

} // namespace zentrik::gui
