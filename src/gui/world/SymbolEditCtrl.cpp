#include "world/SymbolEditCtrl.h"

#include "context/SymbolImages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zentrik::gui {

SymbolEditCtrl::SymbolEditCtrl(Mode mode, QWidget* parent) : QWidget(parent), m_mode(mode) {
    setObjectName(mode == Mode::Paint ? QStringLiteral("SymbolEditCtrl")
                                      : QStringLiteral("SymbolPickColorCtrl"));
    setFixedSize(kSide, kSide);
    setCursor(Qt::CrossCursor);
}

void SymbolEditCtrl::setSymbol(const Symbol& symbol) {
    m_symbol = symbol;
    update();
}

QPoint SymbolEditCtrl::cellAt(QPoint p) {
    // Clamped to the last pixel row and column, so a drag past the edge keeps painting there.
    const int x = std::clamp(p.x(), 0, kSide - 1) / kZoom;
    const int y = std::clamp(p.y(), 0, kSide - 1) / kZoom;
    return {x, y};
}

void SymbolEditCtrl::apply(QPoint p) {
    const QPoint c = cellAt(p);
    const size_t at = size_t(c.y() * kSymbolSize + c.x());
    if (m_mode == Mode::Pick) {
        m_color = m_symbol[at];
        emit colorPicked(m_color);
        return;
    }
    if (m_symbol[at] == m_color)
        return;
    m_symbol[at] = m_color;
    update();
    emit edited();
}

void SymbolEditCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        apply(event->position().toPoint());
}

void SymbolEditCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (m_mode == Mode::Paint && (event->buttons() & Qt::LeftButton))
        apply(event->position().toPoint());
}

void SymbolEditCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int y = 0; y < kSymbolSize; ++y)
        for (int x = 0; x < kSymbolSize; ++x)
            p.fillRect(x * kZoom, y * kZoom, kZoom, kZoom,
                       QColor(rgbOf555(m_symbol[size_t(y * kSymbolSize + x)])));
}

} // namespace zentrik::gui
