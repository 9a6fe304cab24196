#pragma once

#include "choosers/ThumbnailGrid.h"
#include "imaging/Palette.h"
#include "pagefile/PageFile.h"
#include "world/SymbolSet.h"

#include <vector>

namespace zentrik::gui {

// "Available objects": the object values of the symbol set's object list in list order, each
// shown by its sprite (an actor's turned to its direction), or by its map symbol enlarged
// four times when it has no sprite.
class SpriteSelectWnd : public ThumbnailGrid {
    Q_OBJECT
public:
    static constexpr int kSymbolZoom = 4;

    explicit SpriteSelectWnd(QWidget* parent = nullptr);

    void setData(const SpriteSet* sprites, const GamePalette* palette);
    void setSymbols(const SymbolSet* symbols);
    // Frames the cells of the two object values.
    void setPens(int leftObject, int rightObject);
    int cellCount() const override { return int(m_values.size()); }
    int valueOf(int cell) const { return m_values[size_t(cell)]; }
    // The sprite a cell shows, or -1 for the enlarged symbol.
    int spriteOf(int cell) const;
    // The sprite an object value shows, or -1 (no sprites, no sprite for it).
    int spriteOfValue(int value) const { return spriteOf(cellOf(value)); }

signals:
    void objectChosen(bool left, int value);

protected:
    QImage thumbnail(int cell) const override;

private:
    int cellOf(int value) const;

    const SpriteSet* m_sprites = nullptr;
    const GamePalette* m_palette = nullptr;
    const SymbolSet* m_symbols = nullptr;
    std::vector<int> m_values;
    int m_leftValue = -1, m_rightValue = -1;
};

} // namespace zentrik::gui
