#include "choosers/TextureSelectWnd.h"

#include "choosers/ChooserImages.h"

namespace zentrik::gui {

TextureSelectWnd::TextureSelectWnd(QWidget* parent)
    : ThumbnailGrid(QStringLiteral("Available wall textures"), parent) {
    setObjectName(QStringLiteral("TextureSelectWnd"));
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
    return (m_walls->count() + 1) / 2 + 1; // tiles 0 .. (walls + 1) / 2
}

QImage TextureSelectWnd::thumbnail(int cell) const {
    if (cell < 1 || !m_walls || !m_palette)
        return {};
    const int texture = 2 * cell - 2;
    if (texture >= m_walls->count() || !m_walls->images[size_t(texture)])
        return {};
    return chooserImage(*m_walls->images[size_t(texture)], *m_palette, kThumb);
}

} // namespace zentrik::gui
