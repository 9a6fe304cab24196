#include "choosers/FlatColorSelectWnd.h"

#include "widgets/ColorGrid.h"
#include "widgets/PaletteColours.h"

#include <QVBoxLayout>

namespace zentrik::gui {

FlatColorSelectWnd::FlatColorSelectWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool), m_grid(new ColorGrid(this)) {
    setObjectName(QStringLiteral("FlatColorSelectWnd"));
    setWindowTitle(QStringLiteral("Available colors"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    connect(m_grid, &ColorGrid::entryPicked, this,
            [this](int index, bool right) { emit flatChosen(!right, index); });
}

void FlatColorSelectWnd::setColors(const GamePalette& palette) {
    m_grid->setColors(paletteColours(palette));
}

void FlatColorSelectWnd::setPens(int left, int right) {
    m_grid->setPenMarks(left, right);
}

} // namespace zentrik::gui
