#include "choosers/FlatColorSelectWnd.h"

#include "widgets/ColorGrid.h"

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
    std::array<QRgb, ColorGrid::kEntries> colors{};
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = qRgb(palette.entries[i].r, palette.entries[i].g, palette.entries[i].b);
    m_grid->setColors(colors);
}

void FlatColorSelectWnd::setPens(int left, int right) {
    m_grid->setPenMarks(left, right);
}

} // namespace zentrik::gui
