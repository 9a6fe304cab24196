#include "choosers/ThumbnailGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace zentrik::gui {

namespace {

constexpr int kWheelNotch = 120;
constexpr int kScrollBarWidth = 16;

} // namespace

ThumbnailGrid::ThumbnailGrid(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_scroll(new QScrollBar(Qt::Vertical, this)) {
    setWindowTitle(title);
    // First shown at 5,5 with 350 x 350 pixels; afterwards where the user left it.
    setGeometry(5, 5, 350, 350);
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(kVisibleRows);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this] { update(); });
}

int ThumbnailGrid::firstRow() const {
    return m_scroll->value();
}

void ThumbnailGrid::setFirstRow(int row) {
    m_scroll->setValue(row);
}

void ThumbnailGrid::contentChanged() {
    m_scroll->setRange(0, std::max(0, rowCount() - kVisibleRows));
    update();
}

void ThumbnailGrid::setFramed(int left, int right) {
    m_left = left;
    m_right = right;
    update();
}

QRect ThumbnailGrid::cellRect(int cell) const {
    const int row = cell / kColumns - firstRow();
    return QRect((cell % kColumns) * kPitch, row * kPitch, kThumb, kThumb);
}

int ThumbnailGrid::cellAt(QPoint pos) const {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= kColumns * kPitch)
        return -1;
    const int cell = (pos.y() / kPitch + firstRow()) * kColumns + pos.x() / kPitch;
    return cell < cellCount() ? cell : -1;
}

void ThumbnailGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const int first = firstRow() * kColumns;
    const int last = std::min(cellCount(), first + (kVisibleRows + 1) * kColumns);
    for (int c = first; c < last; ++c) {
        const QRect r = cellRect(c);
        const QImage img = thumbnail(c);
        if (!img.isNull())
            p.drawImage(r, img);
        QColor frame;
        if (c == m_left && c == m_right)
            frame = Qt::yellow;
        else if (c == m_left)
            frame = Qt::green;
        else if (c == m_right)
            frame = Qt::red;
        if (frame.isValid()) {
            p.setPen(QPen(frame, 2));
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }
    }
}

void ThumbnailGrid::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return;
    const int cell = cellAt(e->position().toPoint());
    if (cell >= 0)
        emit cellClicked(e->button() == Qt::LeftButton, cell);
}

void ThumbnailGrid::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    e->accept();
    if (delta == 0)
        return;
    const int notches = delta / kWheelNotch;
    setFirstRow(firstRow() - (notches != 0 ? notches : (delta > 0 ? 1 : -1)));
}

void ThumbnailGrid::resizeEvent(QResizeEvent*) {
    m_scroll->setGeometry(kColumns * kPitch, 0, kScrollBarWidth, height());
}

} // namespace zentrik::gui
