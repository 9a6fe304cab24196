#pragma once

#include "choosers/ThumbnailGrid.h"
#include "imaging/Palette.h"
#include "pagefile/PageFile.h"

namespace zentrik::gui {

class ColorGrid;

// "Available floor and ceiling textures": cell k is wall texture k, the number a floor or
// ceiling byte holds.
class FlatTextureSelectWnd : public ThumbnailGrid {
    Q_OBJECT
public:
    explicit FlatTextureSelectWnd(QWidget* parent = nullptr);
    void setData(const WallSet* walls, const GamePalette* palette);
    int cellCount() const override;

signals:
    void flatChosen(bool left, int value);

protected:
    QImage thumbnail(int cell) const override;

private:
    const WallSet* m_walls = nullptr;
    const GamePalette* m_palette = nullptr;
};

// "Available colors": the palette's 256 entries for floors and ceilings drawn as flat colours;
// the left button picks the left pen's colour, the right button the right pen's.
class FlatColorSelectWnd : public QWidget {
    Q_OBJECT
public:
    explicit FlatColorSelectWnd(QWidget* parent = nullptr);
    void setPalette(const GamePalette& palette);
    void setPens(int left, int right);
    ColorGrid* grid() const { return m_grid; }

signals:
    void flatChosen(bool left, int value);

private:
    ColorGrid* m_grid;
};

} // namespace zentrik::gui
