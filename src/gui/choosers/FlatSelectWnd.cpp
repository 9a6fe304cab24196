#include "choosers/FlatSelectWnd.h"

#include "choosers/ChooserImages.h"
#include "widgets/ColorGrid.h"

#include <QVBoxLayout>

namespace zentrik::gui {

FlatTextureSelectWnd::FlatTextureSelectWnd(QWidget* parent)
    : ThumbnailGrid(QStringLiteral("Available floor and ceiling textures"), parent) {
    setObjectName(QStringLiteral("FlatTextureSelectWnd"));
    connect(this, &ThumbnailGrid::cellClicked, this,
            [this](bool left, int cell) { emit flatChosen(left, cell); });
}

void FlatTextureSelectWnd::setData(const WallSet* walls, const GamePalette* palette) {
    m_walls = walls;
    m_palette = palette;
    contentChanged();
}

int FlatTextureSelectWnd::cellCount() const {
    // A byte holds the number, so only the first 256 textures can be floors or ceilings.
    return m_walls ? std::min(m_walls->count(), 256) : 0;
}

QImage FlatTextureSelectWnd::thumbnail(int cell) const {
    if (!m_walls || !m_palette || cell < 0 || cell >= cellCount() || !m_walls->images[size_t(cell)])
        return {};
    return chooserImage(*m_walls->images[size_t(cell)], *m_palette, kThumb);
}

FlatColorSelectWnd::FlatColorSelectWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool), m_grid(new ColorGrid(this)) {
    setObjectName(QStringLiteral("FlatColorSelectWnd"));
    setWindowTitle(QStringLiteral("Available colors"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    connect(m_grid, &ColorGrid::entryPicked, this,
            [this](int index, bool right) { emit flatChosen(!right, index); });
}

void FlatColorSelectWnd::setPalette(const GamePalette& palette) {
    std::array<QRgb, ColorGrid::kEntries> colors{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = qRgb(palette.entries[i].r, palette.entries[i].g, palette.entries[i].b);
    m_grid->setColors(colors);
}

void FlatColorSelectWnd::setPens(int left, int right) {
    m_grid->setPenMarks(left, right);
}

} // namespace zentrik::gui
