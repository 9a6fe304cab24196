#include "world3d/CMiniMap.h"

#include "platform/Clock.h"
#include "world3d/WinWolfCtrl.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace zentrik::gui {

CMiniMap::CMiniMap(WinWolfCtrl& view, const Clock& clock, QWidget* parent)
    : QWidget(parent), m_view(view), m_clock(clock),
      m_image(reinterpret_cast<const uchar*>(m_pixels.data()), kMinimapSide, kMinimapSide,
              kMinimapSide * 2, QImage::Format_RGB555) {
    setObjectName(QStringLiteral("MiniMapWin"));
    setFixedSize(kSide, kSide);
}

void CMiniMap::setSource(const Level* level, const SymbolStrip* strip) {
    m_level = level;
    m_strip = strip;
    refresh();
}

void CMiniMap::refresh() {
    static const SymbolStrip kEmpty;
    renderMinimap(m_level, m_strip ? *m_strip : kEmpty, m_view.motion().pose, m_pixels);
    update();
}

void CMiniMap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The sunken frame: dark lines at top and left, light ones at bottom and right.
    const int e = kSide - 1;
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, e, 0);
    p.drawLine(0, 0, 0, e);
    p.setPen(Qt::black);
    p.drawLine(1, 1, e - 1, 1);
    p.drawLine(1, 1, 1, e - 1);
    p.setPen(QColor(224, 224, 224));
    p.drawLine(1, e - 1, e - 1, e - 1);
    p.drawLine(e - 1, 1, e - 1, e - 1);
    p.setPen(Qt::white);
    p.drawLine(0, e, e, e);
    p.drawLine(e, 0, e, e);
    p.drawImage(2, 2, m_image);
}

void CMiniMap::act(QPoint pt) {
    ViewerPose& pose = m_view.motion().pose;
    if (m_button == 1) {
        int32_t x = 0, y = 0;
        minimapPoint(minimapWindow(pose), pt.x(), pt.y(), x, y);
        placeViewer(pose, x, y);
        // The hidden pointer sits on the viewer's new pixel, so the next move is measured
        // from where the viewer is, as if the user dragged the viewer itself.
        int px = 0, py = 0;
        minimapViewerPixel(pose, px, py);
        pt = QPoint(px, py);
        QCursor::setPos(mapToGlobal(pt + QPoint(2, 2)));
    } else
        pose.angle = minimapAngleTo(pose, pt.x(), pt.y());
    m_last = pt;
    m_lastTick = m_clock.ticks();
    m_view.redraw();
    refresh();
    emit viewerChanged();
}

void CMiniMap::mousePressEvent(QMouseEvent* e) {
    m_button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 0;
    if (m_button == 0 || !m_level)
        return;
    if (m_button == 1)
        setCursor(Qt::BlankCursor);
    act(e->position().toPoint() - QPoint(2, 2));
}

void CMiniMap::mouseMoveEvent(QMouseEvent* e) {
    if (m_button == 0)
        return;
    const QPoint pt = e->position().toPoint() - QPoint(2, 2);
    if (minimapRepeats(m_button == 1, pt.x() - m_last.x(), pt.y() - m_last.y(),
                       m_clock.ticks() - m_lastTick))
        act(pt);
}

void CMiniMap::mouseReleaseEvent(QMouseEvent*) {
    m_button = 0;
    unsetCursor();
}

} // namespace zentrik::gui
