#include "pages/PixelChunkPage.h"

#include "context/AppContext.h"
#include "draw/DeviceBmpTarget.h"
#include "imaging/BmpImport.h"
#include "imaging/PictureFile.h"
#include "pagefile/Resolution.h"
#include "pages/HiResDialog.h"
#include "widgets/ChunkStrip.h"
#include "widgets/PictureDrop.h"
#include "widgets/PictureEditorPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cctype>
#include <filesystem>
#include <optional>

namespace zentrik::gui {

namespace {
constexpr int kSideWidth = 240;
constexpr int kWideSideWidth = 330; // the graphics page's 1:1 preview of a 320-wide picture
constexpr int kPageStep = 2;
constexpr int kStripReach = 4; // thumbnails before and after the current chunk
} // namespace

PixelChunkPage::PixelChunkPage(AppContext& context, DataSet set, QWidget* parent)
    : QWidget(parent), m_context(context), m_data(PixelData::of(context)), m_set(set) {
    // A PNG or BMP dropped on the page is imported into the chunk.
    new PictureDrop(
        this, [this] { return loaded() && m_device && m_device->hasChunk(); },
        [this](const std::string& path) { importFile(path); });
    askHighResolution = [this] {
        HiResDialog dialog(QString::fromLatin1(noun()) + QLatin1Char('s'), this);
        return dialog.exec();
    };
}

PixelChunkPage::~PixelChunkPage() {
    if (m_device && m_data.workspace().watchesHistory(m_set))
        m_data.workspace().watchHistory(m_set, nullptr);
}

void PixelChunkPage::finishSetup(std::unique_ptr<CDrawDevice> device) {
    m_device = std::move(device);
    // The set is unsaved exactly when the device's history stands away from the last save.
    m_data.workspace().watchHistory(m_set, &m_device->undoRing());
    m_editor = std::make_unique<PictureEditor>(*m_device, m_data.clipboard());
    m_panel = new PictureEditorPanel(this);
    m_panel->setTransparency(isSprite());
    m_panel->setPalette(m_data.paletteColours());
    m_panel->setEditor(m_editor.get());
    m_panel->setPasteEnabled(!m_data.clipboard().empty());
    m_panel->pageStepFirst = [this] { return structureStepFirst(); };
    m_panel->undoPageStep = [this] { undoStructureStep(); };
    buildSide();

    m_strip = new ChunkStrip(this);
    connect(m_strip, &ChunkStrip::chunkChosen, this, &PixelChunkPage::showChunk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addWidget(m_strip);
    // Tab goes through the tools, the palette and the canvas, then on to the chunk number.
    QWidget::setTabOrder(m_panel->lastInTabOrder(), m_chunkField);
    connect(m_panel, &PictureEditorPanel::edited, this, &PixelChunkPage::edited);
    connect(m_panel, &PictureEditorPanel::copied, &m_data, &PixelData::announceCopied);
    connect(&m_data, &PixelData::clipboardFilled, this, [this] { m_panel->setPasteEnabled(true); });
    connect(&m_data, &PixelData::paletteSwitched, this, [this] {
        m_panel->setPalette(m_data.paletteColours());
        showStrip();
    });
    connect(&m_data, &PixelData::setReplaced, this, &PixelChunkPage::replaced);
    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    auto* next = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    previous->setContext(Qt::WidgetWithChildrenShortcut);
    next->setContext(Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this, [this] { showChunk(m_current - 1); });
    connect(next, &QShortcut::activated, this, [this] { showChunk(m_current + 1); });
    refresh();
}

void PixelChunkPage::buildSide() {
    auto* side = new QWidget(m_panel);
    side->setFixedWidth(m_set == DataSet::Graphics ? kWideSideWidth : kSideWidth);
    m_scroll = new QScrollBar(Qt::Horizontal, side);
    m_scroll->setObjectName(QStringLiteral("ChunkScroll"));
    m_scroll->setPageStep(kPageStep);
    m_position = new QLabel(side);
    m_position->setObjectName(QStringLiteral("PositionLabel"));
    m_number = new QLabel(side);
    m_number->setObjectName(QStringLiteral("NumberLabel"));
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncing)
            showChunk(v);
    });
    // Straight to a chunk by its number: Enter (or leaving the field) goes there.
    m_chunkField = new ChunkNumberField(QString::fromLatin1(noun()), side);
    connect(m_chunkField, &ChunkNumberField::chunkChosen, this, &PixelChunkPage::showChunk);
    auto button = [side](const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, side);
        b->setToolTip(tip);
        return b;
    };
    const QString n = QString::fromLatin1(noun());
    auto* hires = button(QStringLiteral("Toggle HiRes"), QString());
    auto* insert = button(QStringLiteral("Insert"),
                          QStringLiteral("Insert a new %1 after the current one").arg(n));
    auto* remove = button(QStringLiteral("Remove"), QStringLiteral("Remove the current %1").arg(n));
    auto* exportButton = button(QStringLiteral("Export"), QStringLiteral("Export"));
    auto* importButton = button(QStringLiteral("Import"), QStringLiteral("Import"));
    connect(hires, &QPushButton::clicked, this, &PixelChunkPage::toggleHiRes);
    connect(insert, &QPushButton::clicked, this, &PixelChunkPage::insertChunk);
    connect(remove, &QPushButton::clicked, this, &PixelChunkPage::removeChunk);
    connect(exportButton, &QPushButton::clicked, this, &PixelChunkPage::exportChunk);
    connect(importButton, &QPushButton::clicked, this, &PixelChunkPage::importChunk);
    QPushButton* exportAll = nullptr;
    if (m_set == DataSet::Walls || m_set == DataSet::Sprites) {
        exportAll = button(QStringLiteral("Export all..."),
                           QStringLiteral("Every %1 as %2-NNN.png into a folder")
                               .arg(n, QString::fromLatin1(exportKind())));
        connect(exportAll, &QPushButton::clicked, this, &PixelChunkPage::exportAllChunks);
    }

    m_sideGrid = new QGridLayout(side);
    auto* scrollRow = new QHBoxLayout;
    scrollRow->addWidget(m_scroll, 1);
    scrollRow->addWidget(m_chunkField);
    m_sideGrid->addLayout(scrollRow, 0, 0, 1, 2);
    m_sideGrid->addWidget(m_position, 1, 0);
    m_sideGrid->addWidget(m_number, 1, 1);
    m_sideGrid->addWidget(insert, 2, 0);
    m_sideGrid->addWidget(remove, 2, 1);
    m_sideGrid->addWidget(exportButton, 3, 0);
    m_sideGrid->addWidget(importButton, 3, 1);
    m_sideGrid->addWidget(hires, 4, 0, 1, 2);
    if (exportAll)
        m_sideGrid->addWidget(exportAll, 5, 0, 1, 2);
    hires->setVisible(offersResolution());
    m_sideGrid->setRowStretch(10, 1);
    // Below the colour grid, in the panel's grid column.
    if (auto* row = qobject_cast<QHBoxLayout*>(m_panel->layout()))
        row->insertWidget(row->count() - 1, side, 0, Qt::AlignTop);
}

QString PixelChunkPage::positionText() const {
    return m_position->text();
}

QString PixelChunkPage::numberText() const {
    return m_number->text();
}

void PixelChunkPage::refresh() {
    const int n = count();
    m_current = std::clamp(m_current, 0, std::max(0, n - 1));
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, n - 1));
    m_scroll->setValue(m_current);
    m_scroll->setEnabled(n > 1);
    m_chunkField->showChunk(m_current, n);
    m_syncing = false;
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_current + 1).arg(n) : QString());
    m_number->setText(n > 0 ? numberLabel(m_current) : QString());
    selectOnDevice(n > 0 ? m_current : -1);
    if (side() != m_shownSide) {
        m_shownSide = side();
        m_editor->resetView();
    }
    showStrip();
    m_panel->chunkChanged();
    chunkEdited();
}

QImage PixelChunkPage::deviceThumbnail() const {
    const CDrawDevice& d = *m_device;
    if (!d.hasChunk())
        return {};
    QImage image(d.width(), d.height(), QImage::Format_Indexed8);
    const auto colours = m_data.paletteColours();
    QList<QRgb> table(colours.begin(), colours.end());
    if (isSprite())
        table[255] = qRgba(0, 0, 0, 0); // the sprite's see-through colour
    image.setColorTable(table);
    for (int y = 0; y < d.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < d.width(); ++x)
            line[x] = d.getPixel(x, y);
    }
    return image;
}

void PixelChunkPage::showStrip() {
    const int n = count();
    if (n == 0) {
        m_strip->setThumbnails(0, {}, -1);
        return;
    }
    const int first = std::max(0, m_current - kStripReach);
    const int last = std::min(n - 1, m_current + kStripReach);
    std::vector<QImage> images;
    for (int i = first; i <= last; ++i) {
        selectOnDevice(i);
        images.push_back(deviceThumbnail());
    }
    selectOnDevice(m_current);
    m_strip->setThumbnails(first, std::move(images), m_current);
}

void PixelChunkPage::showChunk(int index) {
    const int n = count();
    if (n == 0)
        return;
    index = std::clamp(index, 0, n - 1);
    if (index == m_current && m_scroll->value() == index)
        return;
    // A block still floating belongs to the chunk it was made on.
    m_editor->leaveChunk();
    m_current = index;
    refresh();
}

void PixelChunkPage::edited() {
    m_data.notify(m_set, ChangeKind::Edited, m_current);
    m_strip->updateThumbnail(m_current, deviceThumbnail());
    chunkEdited();
}

void PixelChunkPage::replaced(DataSet set) {
    if (set != m_set)
        return;
    // The pixels of a floating block and the history belong to the old collection, whose
    // buffers may be reused by the new one.
    m_editor->deleteSelection();
    m_editor->cancel();
    m_device->clearHistory();
    m_structure.clear();
    m_shownSide = 0;
    refresh();
}

bool PixelChunkPage::confirmShift(bool insert) {
    const int n = count();
    if (n == 0)
        return true;
    const std::string kind = exportKind();
    std::string plural = kind + "s";
    plural[0] = char(std::toupper(static_cast<unsigned char>(plural[0])));
    const std::string notice = insert ? shiftNotice(plural, m_current + 1, n - 1, 1)
                                      : shiftNotice(plural, m_current + 1, n - 1, -1);
    if (notice.empty())
        return true; // the last chunk: nothing is renumbered
    const std::string number = std::to_string(m_current);
    const std::string text =
        notice + ".\n" +
        (insert ? "Insert a new " + kind + " after " + kind + " " + number + "?"
                : "Remove " + kind + " " + number + "?") +
        (insert || copyChunk(m_current) ? "\n(Undo takes it back.)" : "");
    const std::string caption = std::string(insert ? "Insert " : "Remove ") + kind + "?";
    return m_data.prompter().ask(text, caption, Buttons::YesNo, MessageIcon::Question) ==
           Answer::Yes;
}

void PixelChunkPage::shiftHistories(int from, int delta, int dropped) {
    m_device->undoRing().rekey(
        [from, delta, dropped](const ChunkKey& k) -> std::optional<ChunkKey> {
            if (k.index == dropped)
                return std::nullopt;
            if (k.index < from)
                return k;
            return ChunkKey{k.collection, k.index + delta, k.part};
        });
}

void PixelChunkPage::insertChunk() {
    if (!confirmShift(true))
        return;
    m_editor->leaveChunk();
    const int inserted = insertAt(m_current);
    if (inserted < 0)
        return;
    shiftHistories(inserted, 1, -1);
    m_structure.push_back({true, inserted, {}, m_device->undoRing().takeSerial()});
    m_device->undoRing().noteStructureStep(1);
    m_current = inserted;
    setLoaded(true);
    m_data.notify(m_set, ChangeKind::Inserted, m_current);
    refresh();
}

void PixelChunkPage::removeChunk() {
    if (count() == 0) {
        setLoaded(false);
        refresh();
        return;
    }
    if (!confirmShift(false))
        return;
    m_editor->deleteSelection();
    m_editor->cancel();
    const int removed = m_current;
    std::optional<ChunkCopy> copy = copyChunk(removed);
    m_current = removeAt(m_current);
    shiftHistories(removed + 1, -1, removed);
    if (copy) {
        m_structure.push_back(
            {false, removed, std::move(*copy), m_device->undoRing().takeSerial()});
        m_device->undoRing().noteStructureStep(1);
    } else {
        m_data.workspace().markEdited(m_set); // nothing can bring the chunk back
    }
    m_data.notify(m_set, ChangeKind::Removed, removed);
    refresh();
}

bool PixelChunkPage::structureStepFirst() const {
    if (m_structure.empty())
        return false;
    const uint64_t chunkStep = m_device->undoRing().newestSerial(m_device->chunkKey());
    return m_structure.back().serial > chunkStep;
}

void PixelChunkPage::undoStructureStep() {
    if (m_structure.empty())
        return;
    m_editor->leaveChunk();
    StructureStep step = std::move(m_structure.back());
    m_structure.pop_back();
    m_device->undoRing().noteStructureStep(-1);
    if (step.inserted) {
        m_current = removeAt(step.index);
        shiftHistories(step.index + 1, -1, step.index);
        m_data.notify(m_set, ChangeKind::Removed, step.index);
    } else {
        putChunkBack(step.index, std::move(step.copy));
        shiftHistories(step.index, 1, -1);
        m_current = step.index;
        setLoaded(true);
        m_data.notify(m_set, ChangeKind::Inserted, step.index);
    }
    refresh();
}

void PixelChunkPage::exportChunk() {
    if (!loaded() || !m_device->hasChunk())
        return;
    const bool sprite = isSprite();
    FileDialogRequest request{std::string("Export current ") + noun() + "...", kPictureFilter,
                              "png", m_data.exportProposal(exportKind(), m_current)};
    auto path = m_data.prompter().saveFile(request);
    if (!path)
        return;
    m_data.rememberExport(*path);
    m_editor->leaveChunk();
    ExportPicture(DeviceBmpTarget(*m_device, sprite), *path, m_data.palette(), m_data.prompter(),
                  sprite);
}

void PixelChunkPage::exportAllChunks() {
    if (!loaded() || count() == 0)
        return;
    auto folder = m_data.prompter().chooseFolder(
        std::string("Export all ") + exportKind() + "s to...", m_data.exportFolder());
    if (!folder)
        return;
    m_editor->leaveChunk();
    const bool sprite = isSprite();
    int written = 0;
    bool ok = true;
    for (int i = 0; i < count() && ok; ++i) {
        selectOnDevice(i);
        if (!m_device->hasChunk())
            continue; // an empty page has no picture
        const auto path = std::filesystem::path(*folder) /
                          std::filesystem::path(m_data.exportProposal(exportKind(), i)).filename();
        ok = ExportPicture(DeviceBmpTarget(*m_device, sprite), path, m_data.palette(),
                           m_data.prompter(), sprite);
        written += ok ? 1 : 0;
    }
    selectOnDevice(m_current);
    m_data.rememberExport((std::filesystem::path(*folder) / "all").string());
    if (ok)
        m_data.prompter().message("Exported " + std::to_string(written) + " pictures to " + *folder,
                                  "Export all", MessageIcon::Information);
}

void PixelChunkPage::importChunk() {
    if (!loaded() || !m_device->hasChunk())
        return;
    FileDialogRequest request{"Choose bitmap to import...", kPictureFilter, "bmp", ""};
    if (auto path = m_data.prompter().openFile(request))
        importFile(*path);
}

bool PixelChunkPage::importFile(const std::string& path) {
    if (!loaded() || !m_device->hasChunk())
        return false;
    m_editor->leaveChunk();
    DeviceBmpTarget target(*m_device, isSprite());
    if (!ImportBMP(target, path, m_data.colours(), m_data.prompter(), m_data.jobs()))
        return false;
    m_data.notify(m_set, ChangeKind::Edited, m_current);
    m_strip->updateThumbnail(m_current, deviceThumbnail());
    m_panel->chunkChanged();
    chunkEdited();
    return true;
}

void PixelChunkPage::toggleHiRes() {
    if (!loaded() || count() == 0)
        return;
    int change = int(ResolutionChange::Shrink);
    if (side() == kLowSide) {
        const int answer = askHighResolution ? askHighResolution() : 0;
        if (answer != HiResDialog::kBlend && answer != HiResDialog::kStretch)
            return;
        change = int(answer == HiResDialog::kBlend ? ResolutionChange::Blend
                                                   : ResolutionChange::Stretch);
    } else {
        const std::string text =
            std::string("Do you really want to blend\nall your ") + noun() + "s to 64x64?";
        if (m_data.prompter().ask(text, "Switch to low resolution?", Buttons::YesNo,
                                  MessageIcon::Question) != Answer::Yes)
            return;
    }
    m_editor->leaveChunk();
    if (!changeResolution(change))
        return;
    // Every picture was replaced: the pages start again on the new set, which stays modified.
    m_data.notify(m_set, ChangeKind::Loaded, -1);
}

} // namespace zentrik::gui
