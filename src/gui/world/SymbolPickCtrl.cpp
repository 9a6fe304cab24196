#include "world/SymbolPickCtrl.h"

#include "world/SymbolStrip.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zentrik::gui {

namespace {
constexpr int kStripRows = kStripHeight / kSymbolSize; // 16
constexpr int kStripCells = kSymbolsPerRow * kStripRows;
} // namespace

SymbolPickCtrl::SymbolPickCtrl(int columns, QWidget* parent)
    : QWidget(parent), m_columns(std::clamp(columns, 1, kSymbolsPerRow)) {
    setObjectName(QStringLiteral("SymbolPickCtrl"));
    setZoom(m_zoom);
}

int SymbolPickCtrl::rows() const {
    return (kStripCells + m_columns - 1) / m_columns;
}

void SymbolPickCtrl::setStrip(const QImage& strip) {
    if (m_columns == kSymbolsPerRow || strip.isNull()) {
        m_shown = strip;
    } else {
        // Cut each stored row into pieces of `columns` symbols and stack them in order.
        m_shown = QImage(m_columns * kSymbolSize, rows() * kSymbolSize, strip.format());
        m_shown.fill(Qt::black);
        QPainter p(&m_shown);
        for (int first = 0; first < kStripCells; first += m_columns) {
            const QRect from((first % kSymbolsPerRow) * kSymbolSize,
                             (first / kSymbolsPerRow) * kSymbolSize, m_columns * kSymbolSize,
                             kSymbolSize);
            p.drawImage(QPoint(0, first / m_columns * kSymbolSize), strip, from);
        }
    }
    update();
}

void SymbolPickCtrl::setZoom(int zoom) {
    m_zoom = std::max(1, zoom);
    setFixedSize(m_columns * kSymbolSize * m_zoom, rows() * kSymbolSize * m_zoom);
    update();
}

int SymbolPickCtrl::cellAt(QPoint p) const {
    // Outside the picture counts as the nearest cell, as the stored strip's last cell is at
    // 441 across and 105 down.
    const int column = std::clamp(p.x() / m_zoom / kSymbolSize, 0, m_columns - 1);
    const int row = std::clamp(p.y() / m_zoom / kSymbolSize, 0, rows() - 1);
    return std::min(row * m_columns + column, kStripCells - 1);
}

void SymbolPickCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    emit cellPicked(cellAt(event->position().toPoint()), event->button() == Qt::LeftButton);
}

void SymbolPickCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!m_shown.isNull())
        p.drawImage(QRect(0, 0, width(), height()), m_shown);
}

SymbolPickVertCtrl::SymbolPickVertCtrl(QWidget* parent) : SymbolPickCtrl(kTallColumns, parent) {
    setObjectName(QStringLiteral("SymbolPickVertCtrl"));
}

} // namespace zentrik::gui
