#include "choosers/TextureSelectWnd.h"

#include "choosers/ChooserImages.h"

#include <algorithm>

namespace zentrik::gui {

TextureSelectWnd::TextureSelectWnd(QWidget* parent, Cells cells)
    : ThumbnailGrid(cells == Cells::WallTiles
                        ? QStringLiteral("Available wall textures")
                        : QStringLiteral("Available floor and ceiling textures"),
                    parent),
      m_cells(cells) {
    setObjectName(cells == Cells::WallTiles ? QStringLiteral("TextureSelectWnd")
                                            : QStringLiteral("FlatTextureSelectWnd"));
    connect(this, &ThumbnailGrid::cellClicked, this,
            [this](bool left, int cell) { emit tileChosen(left, cell); });
}

void TextureSelectWnd::setData(const WallSet* walls, const GamePalette* palette) {
    m_walls = walls;
    m_palette = palette;
    contentChanged();
}

int TextureSelectWnd::cellCount() const {
    if (!m_walls || m_walls->count() == 0)
        return 0;
    if (m_cells == Cells::FlatTextures)
        return std::min(m_walls->count(), 256);
    return (m_walls->count() + 1) / 2 + 1; // tiles 0 .. (walls + 1) / 2
}

QImage TextureSelectWnd::thumbnail(int cell) const {
    const bool tiles = m_cells == Cells::WallTiles;
    if (cell < (tiles ? 1 : 0) || !m_walls || !m_palette)
        return {};
    const int texture = tiles ? 2 * cell - 2 : cell;
    if (texture >= m_walls->count() || !m_walls->images[size_t(texture)])
        return {};
    return chooserImage(*m_walls->images[size_t(texture)], *m_palette, kThumb);
}

} // namespace zentrik::gui
