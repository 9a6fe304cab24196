#include "pages/PixelChunkPage.h"

#include "context/AppContext.h"
#include "draw/DeviceBmpTarget.h"
#include "imaging/BmpImport.h"
#include "imaging/PictureFile.h"
#include "pagefile/Resolution.h"
#include "pages/HiResDialog.h"
#include "widgets/PictureEditorPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
constexpr int kSideWidth = 240;
constexpr int kPageStep = 2;
} // namespace

PixelChunkPage::PixelChunkPage(AppContext& context, DataSet set, QWidget* parent)
    : QWidget(parent), m_context(context), m_data(PixelData::of(context)), m_set(set) {
    askHighResolution = [this] {
        HiResDialog dialog(QString::fromLatin1(noun()) + QLatin1Char('s'), this);
        return dialog.exec();
    };
}

PixelChunkPage::~PixelChunkPage() = default;

void PixelChunkPage::finishSetup(std::unique_ptr<CDrawDevice> device) {
    m_device = std::move(device);
    m_editor = std::make_unique<PictureEditor>(*m_device, m_data.clipboard());
    m_panel = new PictureEditorPanel(this);
    m_panel->setTransparency(isSprite());
    m_panel->setPalette(m_data.paletteColours());
    m_panel->setEditor(m_editor.get());
    m_panel->setPasteEnabled(!m_data.clipboard().empty());
    buildSide();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addStretch(1);
    connect(m_panel, &PictureEditorPanel::edited, this, &PixelChunkPage::edited);
    connect(m_panel, &PictureEditorPanel::copied, &m_data, &PixelData::announceCopied);
    connect(&m_data, &PixelData::clipboardFilled, this, [this] { m_panel->setPasteEnabled(true); });
    connect(&m_data, &PixelData::paletteSwitched, this,
            [this] { m_panel->setPalette(m_data.paletteColours()); });
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
    side->setFixedWidth(kSideWidth);
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

    m_sideGrid = new QGridLayout(side);
    m_sideGrid->addWidget(m_scroll, 0, 0, 1, 2);
    m_sideGrid->addWidget(m_position, 1, 0);
    m_sideGrid->addWidget(m_number, 1, 1);
    m_sideGrid->addWidget(insert, 2, 0);
    m_sideGrid->addWidget(remove, 2, 1);
    m_sideGrid->addWidget(exportButton, 3, 0);
    m_sideGrid->addWidget(importButton, 3, 1);
    m_sideGrid->addWidget(hires, 4, 0, 1, 2);
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
    m_syncing = false;
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_current + 1).arg(n) : QString());
    m_number->setText(n > 0 ? numberLabel(m_current) : QString());
    selectOnDevice(n > 0 ? m_current : -1);
    if (side() != m_shownSide) {
        m_shownSide = side();
        m_editor->resetView();
    }
    m_panel->chunkChanged();
    chunkEdited();
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
    m_shownSide = 0;
    refresh();
}

void PixelChunkPage::insertChunk() {
    m_editor->leaveChunk();
    const int inserted = insertAt(m_current);
    if (inserted < 0)
        return;
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
    m_editor->deleteSelection();
    m_editor->cancel();
    const int removed = m_current;
    m_current = removeAt(m_current);
    m_data.notify(m_set, ChangeKind::Removed, removed);
    refresh();
}

void PixelChunkPage::exportChunk() {
    if (!loaded() || !m_device->hasChunk())
        return;
    const bool sprite = isSprite();
    FileDialogRequest request{std::string("Export current ") + noun() + "...", kPictureFilter,
                              "bmp", "*.BMP"};
    auto path = m_data.prompter().saveFile(request);
    if (!path)
        return;
    m_editor->leaveChunk();
    ExportPicture(DeviceBmpTarget(*m_device, sprite), *path, m_data.palette(), m_data.prompter(),
                  sprite);
}

void PixelChunkPage::importChunk() {
    if (!loaded() || !m_device->hasChunk())
        return;
    FileDialogRequest request{"Choose bitmap to import...", kPictureFilter, "bmp", "*.BMP"};
    auto path = m_data.prompter().openFile(request);
    if (!path)
        return;
    m_editor->leaveChunk();
    DeviceBmpTarget target(*m_device, isSprite());
    if (ImportBMP(target, *path, m_data.colours(), m_data.prompter(), m_data.jobs())) {
        m_data.notify(m_set, ChangeKind::Edited, m_current);
        m_panel->chunkChanged();
        chunkEdited();
    }
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
