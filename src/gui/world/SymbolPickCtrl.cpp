#include "world/SymbolPickCtrl.h"

#include "world/SymbolStrip.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zentrik::gui {

namespace {
constexpr int kLastCellX = kStripWidth - kSymbolSize;  // 441
constexpr int kLastCellY = kStripHeight - kSymbolSize; // 105
} // namespace

SymbolPickCtrl::SymbolPickCtrl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SymbolPickCtrl"));
    setZoom(m_zoom);
}

void SymbolPickCtrl::setStrip(const QImage& strip) {
    m_strip = strip;
    update();
}

void SymbolPickCtrl::setZoom(int zoom) {
    m_zoom = std::max(1, zoom);
    setFixedSize(kStripWidth * m_zoom, kStripHeight * m_zoom);
    update();
}

int SymbolPickCtrl::cellAt(QPoint p) const {
    const int x = std::clamp(p.x() / m_zoom / kSymbolSize * kSymbolSize, 0, kLastCellX);
    const int y = std::clamp(p.y() / m_zoom / kSymbolSize * kSymbolSize, 0, kLastCellY);
    return x / kSymbolSize + kSymbolsPerRow * (y / kSymbolSize);
}

void SymbolPickCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    emit cellPicked(cellAt(event->position().toPoint()), event->button() == Qt::LeftButton);
}

void SymbolPickCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!m_strip.isNull())
        p.drawImage(QRect(0, 0, width(), height()), m_strip);
}

} // namespace zentrik::gui
