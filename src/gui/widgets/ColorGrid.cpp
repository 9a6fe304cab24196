#include "widgets/ColorGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zentrik::gui {

namespace {
constexpr int kPreferredCell = 18;
constexpr int kMinimumCell = 8;
} // namespace

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ColorClickCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kColumns * kMinimumCell, kColumns * kMinimumCell);
}

QSize ColorGrid::sizeHint() const {
    return {kColumns * kPreferredCell + 1, kColumns * kPreferredCell + 1};
}

int ColorGrid::cellSize() const {
    return std::max(1, (std::min(width(), height()) - 1) / kColumns);
}

void ColorGrid::setColors(const std::array<QRgb, kEntries>& colors) {
    m_colors = colors;
    update();
}

void ColorGrid::setColor(int index, QRgb color) {
    if (index < 0 || index >= kEntries)
        return;
    m_colors[size_t(index)] = color;
    update();
}

void ColorGrid::setSelected(int index) {
    m_selected = index;
    update();
}

void ColorGrid::setPenMarks(int left, int right) {
    m_leftMark = left;
    m_rightMark = right;
    update();
}

void ColorGrid::setTransparentMark(int index) {
    m_transparentMark = index;
    setToolTip(index >= 0 ? QStringLiteral("Entry %1 is transparent on sprites").arg(index)
                          : QString());
    update();
}

int ColorGrid::indexAt(QPoint p) const {
    const int cell = cellSize();
    if (p.x() < 0 || p.y() < 0 || p.x() >= cell * kColumns || p.y() >= cell * kColumns)
        return -1;
    return p.y() / cell * kColumns + p.x() / cell;
}

void ColorGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int cell = cellSize();
    for (int i = 0; i < kEntries; ++i) {
        const QRect r(i % kColumns * cell, i / kColumns * cell, cell, cell);
        p.fillRect(r, QColor(m_colors[size_t(i)]));
        if (i == m_transparentMark) {
            // A checkerboard with the entry's colour in its middle.
            const int half = std::max(1, cell / 2);
            for (int q = 0; q < 4; ++q)
                p.fillRect(QRect(r.left() + q % 2 * half, r.top() + q / 2 * half, half, half),
                           q % 3 == 0 ? QColor(200, 200, 200) : QColor(120, 120, 120));
            p.fillRect(r.adjusted(cell / 3, cell / 3, -cell / 3, -cell / 3),
                       QColor(m_colors[size_t(i)]));
        }
    }
    if (m_selected >= 0) {
        const QRect r(m_selected % kColumns * cell, m_selected / kColumns * cell, cell - 1,
                      cell - 1);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r);
    }
    QFont font = p.font();
    font.setPixelSize(std::max(6, cell - 6));
    font.setBold(true);
    p.setFont(font);
    for (auto [index, text] : {std::pair{m_leftMark, "L"}, std::pair{m_rightMark, "R"}}) {
        if (index < 0 || index >= kEntries)
            continue;
        const QRect r(index % kColumns * cell, index / kColumns * cell, cell - 1, cell - 1);
        const QColor c(m_colors[size_t(index)]);
        const QColor ink = qGray(c.rgb()) < 128 ? Qt::white : Qt::black;
        p.setPen(QPen(ink, 1));
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(text));
    }
}

void ColorGrid::mousePressEvent(QMouseEvent* event) {
    const int index = indexAt(event->position().toPoint());
    if (index < 0)
        return; // outside the entries nothing changes
    setSelected(index);
    emit entryClicked(index);
    emit entryPicked(index, event->button() == Qt::RightButton);
}

void ColorGrid::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -kColumns;
        break;
    case Qt::Key_Down:
        step = kColumns;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const int index = std::clamp(std::max(m_selected, 0) + step, 0, kEntries - 1);
    setSelected(index);
    emit entryClicked(index);
}

} // namespace zentrik::gui
