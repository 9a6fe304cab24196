#include "vga/CProp18Tile8.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "draw/DeviceBmpTarget.h"
#include "imaging/BmpImport.h"
#include "imaging/PictureFile.h"
#include "pages/PixelData.h"
#include "vga/PageKeys.h"
#include "vga/VgaData.h"
#include "vgagraph/ScreenOps.h"
#include "vgagraph/VgaBmpTargets.h"
#include "widgets/ChunkNumberField.h"
#include "widgets/PictureDrop.h"
#include "widgets/PictureEditorPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {
const PageRegistration reg("CProp18Tile8", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp18Tile8(c, parent);
});
constexpr int kTiles = 72;
constexpr int kSide = CTile8Device::kSide;
constexpr int kListScale = 2;
constexpr int kEditorMagnification = 25;
} // namespace

Tile8ListCtrl::Tile8ListCtrl(const Tile8Set& set, QWidget* parent) : QWidget(parent), m_set(set) {
    setObjectName(QStringLiteral("Tile8ListCtrl"));
    setFixedSize(sizeHint());
}

void Tile8ListCtrl::setPalette(const std::array<QRgb, 256>& palette) {
    m_palette = palette;
    update();
}

void Tile8ListCtrl::setSelected(int tile) {
    m_selected = tile;
    update();
}

QSize Tile8ListCtrl::sizeHint() const {
    return {kColumns * kCell, (kTiles + kColumns - 1) / kColumns * kCell};
}

int Tile8ListCtrl::tileAt(QPoint p) const {
    const int column = p.x() / kCell, row = p.y() / kCell;
    const int t = row * kColumns + column;
    return p.x() >= 0 && p.y() >= 0 && column < kColumns && t < kTiles ? t : -1;
}

void Tile8ListCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!m_set.loaded)
        return;
    const int inset = (kCell - kSide * kListScale) / 2;
    for (int t = 0; t < kTiles; ++t) {
        const QPoint at((t % kColumns) * kCell + inset, (t / kColumns) * kCell + inset);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int v = getTile8Pixel(m_set, t, x, y);
                p.fillRect(at.x() + x * kListScale, at.y() + y * kListScale, kListScale, kListScale,
                           QColor::fromRgb(m_palette[size_t(std::max(v, 0))]));
            }
        if (t == m_selected) {
            p.setPen(palette().highlight().color());
            p.drawRect(at.x() - 2, at.y() - 2, kSide * kListScale + 3, kSide * kListScale + 3);
        }
    }
}

void Tile8ListCtrl::mousePressEvent(QMouseEvent* event) {
    const int t = tileAt(event->position().toPoint());
    if (t >= 0)
        emit tileClicked(t);
}

CProp18Tile8::CProp18Tile8(AppContext& context, QWidget* parent)
    : QWidget(parent), m_vga(VgaData::of(context)) {
    PixelData& px = m_vga.pixels();
    Tile8Set& set = m_vga.state().tile8s;
    m_device = std::make_unique<CTile8Device>(set, &px.prompter());
    m_editor = std::make_unique<PictureEditor>(*m_device, px.clipboard());
    m_panel = new PictureEditorPanel(this);
    m_panel->setPalette(px.paletteColours());
    m_panel->setEditor(m_editor.get());
    m_panel->setPasteEnabled(!px.clipboard().empty());
    m_list = new Tile8ListCtrl(set, this);
    m_list->setPalette(px.paletteColours());
    connect(m_list, &Tile8ListCtrl::tileClicked, this, &CProp18Tile8::selectTile);

    m_number = new ChunkNumberField(QStringLiteral("tile"), this);
    connect(m_number, &ChunkNumberField::chunkChosen, this, &CProp18Tile8::selectTile);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Tile number:"), this));
    buttons->addWidget(m_number);
    const struct {
        const char* text;
        void (CProp18Tile8::*slot)();
    } commands[] = {{"Export", &CProp18Tile8::exportTile},
                    {"Import", &CProp18Tile8::importTile},
                    {"Export all tiles...", &CProp18Tile8::exportAllTiles}};
    for (const auto& c : commands) {
        auto* b = new QPushButton(QString::fromLatin1(c.text), this);
        connect(b, &QPushButton::clicked, this, c.slot);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->addWidget(m_panel);
    layout->addStretch(1);

    // A stroke repaints the tile's cell in the list as well.
    context.workspace.watchHistory(DataSet::Tile8s, &m_device->undoRing());
    connect(m_panel, &PictureEditorPanel::edited, this, [this] {
        m_vga.historyMoved(DataSet::Tile8s);
        m_list->update();
    });
    connect(m_panel, &PictureEditorPanel::copied, &px, &PixelData::announceCopied);
    connect(&px, &PixelData::clipboardFilled, this, [this] { m_panel->setPasteEnabled(true); });
    connect(&px, &PixelData::paletteSwitched, this, [this] {
        m_panel->setPalette(m_vga.pixels().paletteColours());
        m_list->setPalette(m_vga.pixels().paletteColours());
    });
    connect(&px, &PixelData::setReplaced, this, [this](DataSet s) {
        if (s != DataSet::Tile8s)
            return;
        m_editor->deleteSelection();
        m_editor->cancel();
        m_device->clearHistory();
        refresh();
    });
    addPageKeys(this, [this](int step) { selectTile(m_tile + step); });
    new PictureDrop(
        this, [this] { return m_device->hasChunk(); },
        [this](const std::string& path) { importFile(path); });
    refresh();
}

CProp18Tile8::~CProp18Tile8() {
    m_vga.context().workspace.watchHistory(DataSet::Tile8s, nullptr);
}

void CProp18Tile8::selectTile(int tile) {
    m_editor->leaveChunk();
    m_tile = std::clamp(tile, 0, kTiles - 1);
    refresh();
}

void CProp18Tile8::refresh() {
    const bool loaded = m_vga.state().tile8s.loaded;
    m_device->selectTile(loaded ? m_tile : -1);
    m_editor->view().reset(m_device->width());
    m_editor->view().magnification = kEditorMagnification;
    m_panel->chunkChanged();
    m_list->setSelected(m_tile);
    m_number->showChunk(m_tile, loaded ? kTiles : 0);
}

void CProp18Tile8::exportTile() {
    if (!m_device->hasChunk())
        return;
    PixelData& px = m_vga.pixels();
    auto path = px.prompter().saveFile({"Export tile to bitmap as...", kPictureFilter, "png",
                                        px.exportProposal("tile8", m_tile, 2)});
    if (!path)
        return;
    px.rememberExport(*path);
    m_editor->leaveChunk();
    ExportPicture(Tile8BmpTarget(m_vga.state().tile8s, m_tile), *path, px.palette(), px.prompter());
}

void CProp18Tile8::importTile() {
    if (!m_device->hasChunk())
        return;
    PixelData& px = m_vga.pixels();
    if (auto path =
            px.prompter().openFile({"Choose bitmap to import...", kPictureFilter, "bmp", ""}))
        importFile(*path);
}

void CProp18Tile8::importFile(const std::string& path) {
    if (!m_device->hasChunk())
        return;
    PixelData& px = m_vga.pixels();
    m_editor->leaveChunk();
    DeviceBmpTarget target(*m_device, false);
    if (ImportBMP(target, path, px.colours(), px.prompter(), px.jobs())) {
        m_vga.historyMoved(DataSet::Tile8s); // one rectangle step
        m_panel->chunkChanged();
        m_list->update();
    }
}

void CProp18Tile8::exportAllTiles() {
    if (!m_device->hasChunk())
        return;
    PixelData& px = m_vga.pixels();
    auto folder = px.prompter().chooseFolder("Export all tiles to...", "");
    if (!folder)
        return;
    m_editor->leaveChunk();
    for (int t = 0; t < kTiles; ++t) {
        const std::string number = (t < 10 ? "0" : "") + std::to_string(t);
        const auto path = std::filesystem::path(*folder) / ("tile8-" + number + ".png");
        if (!ExportPicture(Tile8BmpTarget(m_vga.state().tile8s, t), path, px.palette(),
                           px.prompter()))
            return;
    }
    px.prompter().message("Exported " + std::to_string(kTiles) + " pictures to " + *folder,
                          "Export all", MessageIcon::Information);
}

} // namespace zentrik::gui
