#pragma once

#include "imaging/Palette.h"

#include <QWidget>

namespace zentrik::gui {

class ColorGrid;

// "Available colors": the palette's 256 entries for floors and ceilings drawn as flat colours;
// the left button picks the left pen's colour, the right button the right pen's.
class FlatColorSelectWnd : public QWidget {
    Q_OBJECT
public:
    explicit FlatColorSelectWnd(QWidget* parent = nullptr);
    void setColors(const GamePalette& palette);
    void setPens(int left, int right);
    ColorGrid* grid() const { return m_grid; }

signals:
    void flatChosen(bool left, int value);

private:
    ColorGrid* m_grid;
};

} // namespace zentrik::gui
