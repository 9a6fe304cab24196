#pragma once

#include "choosers/ThumbnailGrid.h"
#include "imaging/Palette.h"
#include "pagefile/PageFile.h"

namespace zentrik::gui {

// "Available wall textures": cell k is wall tile k of the map. Cell 0 (no wall) is blank; cell
// k >= 1 shows texture 2k - 2, the first of the two the game uses for that tile.
// "Available floor and ceiling textures": cell k is wall texture k, the number a floor or
// ceiling byte holds (so only the first 256 textures).
class TextureSelectWnd : public ThumbnailGrid {
    Q_OBJECT
public:
    enum class Cells { WallTiles, FlatTextures };
    explicit TextureSelectWnd(QWidget* parent = nullptr, Cells cells = Cells::WallTiles);

    void setData(const WallSet* walls, const GamePalette* palette);
    void setPens(int leftTile, int rightTile) { setFramed(leftTile, rightTile); }
    int cellCount() const override;

signals:
    void tileChosen(bool left, int tile);

protected:
    QImage thumbnail(int cell) const override;

private:
    Cells m_cells;
    const WallSet* m_walls = nullptr;
    const GamePalette* m_palette = nullptr;
};

} // namespace zentrik::gui
