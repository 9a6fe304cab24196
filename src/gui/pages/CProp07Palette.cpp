#include "pages/CProp07Palette.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "imaging/PaletteFormats.h"
#include "pages/ClipboardPalette.h"
#include "widgets/ColorGrid.h"
#include "widgets/PaletteColours.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kFieldLimit = 9999;
constexpr int kListWidth = 180;

const PageRegistration reg("CProp07Palette", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp07Palette(c, parent);
});
} // namespace

CProp07Palette::CProp07Palette(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    readClipboard = [] { return clipboardPalette(); };
    askNewPalette = [this]() -> std::optional<NewPaletteChoice> {
        NewPaletteDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.choice();
    };

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("PaletteList"));
    m_list->setMaximumWidth(kListWidth);
    for (const std::string& name : context.palettes.names())
        m_list->addItem(QString::fromStdString(name));
    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!m_syncing && !name.isEmpty())
            m_context.palettes.select(name.toStdString());
    });

    m_grid = new ColorGrid(this);
    m_indexLabel = new QLabel(QStringLiteral("Palette index:"), this);
    connect(m_grid, &ColorGrid::entryClicked, this, &CProp07Palette::selectEntry);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_grid);
    gridColumn->addWidget(m_indexLabel);
    gridColumn->addStretch(1);

    m_picker = new QColorDialog(this);
    m_picker->setWindowFlags(Qt::Widget);
    m_picker->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    m_picker->setEnabled(false);
    connect(m_picker, &QColorDialog::currentColorChanged, this, &CProp07Palette::pickerChanged);
    auto* pickerColumn = new QVBoxLayout;
    pickerColumn->addWidget(m_picker);
    pickerColumn->addWidget(buildCommands());

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(gridColumn);
    layout->addLayout(pickerColumn, 1);

    connect(&context.messages, &AppMessages::paletteSwitched, this, &CProp07Palette::showPalette);
    connect(&context.messages, &AppMessages::paletteAdded, this, &CProp07Palette::addName);
    showPalette();
}

QWidget* CProp07Palette::buildCommands() {
    auto* box = new QGroupBox(QStringLiteral("Change the selected colour"), this);
    auto* grid = new QGridLayout(box);
    const char* const labels[] = {"All", "R", "G", "B"};
    const char* const tips[] = {
        "Added to red, green and blue alike", "Added to the red value (0..255)",
        "Added to the green value (0..255)", "Added to the blue value (0..255)"};
    for (int i = 0; i < 4; ++i) {
        m_fields[i] = new QSpinBox(box);
        m_fields[i]->setRange(-kFieldLimit, kFieldLimit);
        m_fields[i]->setToolTip(QString::fromLatin1(tips[i]));
        auto* label = new QLabel(QString::fromLatin1(labels[i]), box);
        label->setBuddy(m_fields[i]);
        label->setToolTip(m_fields[i]->toolTip());
        grid->addWidget(label, 0, i);
        grid->addWidget(m_fields[i], 1, i);
    }
    m_grey = new QCheckBox(QStringLiteral("Grey"), box);
    m_grey->setToolTip(QStringLiteral("Make the colour a grey of the same brightness"));
    grid->addWidget(m_grey, 1, 4);
    const std::pair<const char*, void (CProp07Palette::*)()> commands[] = {
        {"Change Color", &CProp07Palette::changeColor},
        {"Save selected Palette in Zentrik-Format", &CProp07Palette::savePalette},
        {"Create new palette", &CProp07Palette::createPalette},
        {"Rip Palette from a Screenshot in the clipboard", &CProp07Palette::ripPalette},
        {"Import palette from different file types", &CProp07Palette::importPalette},
        {"Export palette to different formats", &CProp07Palette::exportPalette},
    };
    int row = 2;
    for (const auto& [text, slot] : commands) {
        auto* b = new QPushButton(QString::fromLatin1(text), box);
        connect(b, &QPushButton::clicked, this, slot);
        m_buttons << b;
        grid->addWidget(b, row++, 0, 1, 5);
    }
    return box;
}

QPushButton* CProp07Palette::button(const QString& text) const {
    for (QPushButton* b : m_buttons)
        if (b->text() == text)
            return b;
    return nullptr;
}

void CProp07Palette::showPalette() {
    m_grid->setColors(paletteColours(m_context.palettes.current()));
    if (m_grid->selected() >= 0 && !m_syncing) {
        m_syncing = true;
        m_picker->setCurrentColor(QColor(m_grid->color(m_grid->selected())));
        m_syncing = false;
    }
}

void CProp07Palette::selectEntry(int index) {
    m_grid->setSelected(index);
    m_indexLabel->setText(indexText(index));
    m_picker->setEnabled(true);
    m_syncing = true;
    m_picker->setCurrentColor(QColor(m_grid->color(index)));
    m_syncing = false;
}

void CProp07Palette::pickerChanged(const QColor& color) {
    const int index = m_grid->selected();
    if (m_syncing || index < 0)
        return;
    GamePalette p = m_context.palettes.current();
    p.entries[size_t(index)] =
        Rgb{uint8_t(color.red()), uint8_t(color.green()), uint8_t(color.blue())};
    m_syncing = true; // the picker already shows this colour
    m_context.palettes.setCurrent(p);
    m_syncing = false;
}

void CProp07Palette::changeColor() {
    const int index = m_grid->selected();
    if (index < 0)
        return;
    m_context.palettes.changeEntry(index, m_fields[0]->value(), m_fields[1]->value(),
                                   m_fields[2]->value(), m_fields[3]->value(), m_grey->isChecked());
}

void CProp07Palette::savePalette() {
    const QListWidgetItem* item = m_list->currentItem();
    const std::string name = item ? item->text().toStdString() : std::string();
    FileDialogRequest request;
    request.filter = kPaletteSaveFilter;
    request.defaultExt = "pal";
    request.initialPath = name.empty() ? m_context.palettes.folder().string()
                                       : m_context.palettes.pathOf(name).string();
    if (auto path = m_context.relay.saveFile(request))
        m_context.palettes.save(*path);
}

void CProp07Palette::createPalette() {
    if (!m_context.palettes.canAddPalette())
        return;
    const std::optional<NewPaletteChoice> choice = askNewPalette();
    if (!choice || choice->name.isEmpty())
        return;
    std::optional<std::vector<Rgb>> clip;
    std::optional<std::filesystem::path> importPath;
    if (choice->source == PaletteLibrary::NewSource::Rip) {
        clip = readClipboard();
    } else if (choice->source == PaletteLibrary::NewSource::Import) {
        FileDialogRequest request{"Select file to import palette from...", kPaletteImportFilter,
                                  "BMP", ""};
        auto path = m_context.relay.openFile(request);
        if (!path)
            return;
        importPath = std::filesystem::path(*path);
    }
    m_context.palettes.createNew(choice->name.toStdString(), choice->source, clip, importPath);
}

void CProp07Palette::addName(const QString& name) {
    if (m_list->findItems(name, Qt::MatchExactly).isEmpty())
        m_list->addItem(name);
}

void CProp07Palette::ripPalette() {
    if (m_context.palettes.rip(readClipboard())) {
        // The palette shown is no longer any entry of the list.
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(-1);
    }
}

void CProp07Palette::importPalette() {
    FileDialogRequest request{"Select file to import palette from...", kPaletteFormatsFilter, "",
                              ""};
    auto path = m_context.relay.openFile(request);
    if (!path)
        return;
    PaletteLibrary& library = m_context.palettes;
    if (!library.canAddPalette()) {
        if (library.importFrom(*path)) { // a full list: shown without an entry of its own
            const QSignalBlocker quiet(m_list);
            m_list->setCurrentRow(-1);
        }
        return;
    }
    // The imported palette becomes an entry of the list under a name not yet taken, and the
    // list shows it as the one in use.
    const std::string stem = std::filesystem::path(*path).stem().string();
    std::string name = stem.empty() ? std::string("Imported") : stem;
    for (int n = 2; m_list->findItems(QString::fromStdString(name), Qt::MatchFixedString).size();
         ++n)
        name = stem + "-" + std::to_string(n);
    if (!library.createNew(name, PaletteLibrary::NewSource::Import, std::nullopt,
                           std::filesystem::path(*path)))
        return;
    const auto items = m_list->findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (!items.isEmpty()) {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentItem(items.front());
    }
}

void CProp07Palette::exportPalette() {
    FileDialogRequest request{"", kPaletteExportFilter, "c", m_context.palettes.folder().string()};
    if (auto path = m_context.relay.saveFile(request))
        m_context.palettes.exportTo(*path);
}

} // namespace zentrik::gui
