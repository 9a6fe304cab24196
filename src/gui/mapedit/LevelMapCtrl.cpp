#include "mapedit/LevelMapCtrl.h"

#include "world/BuiltinResources.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zentrik::gui {

namespace {

QImage toImage(const uint16_t* pixels, int width, int height) {
    QImage img(reinterpret_cast<const uchar*>(pixels), width, height, width * 2,
               QImage::Format_RGB555);
    return img.copy(); // detach from the buffer, which changes with the next edit
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

LevelMapCtrl::LevelMapCtrl(const Clock& clock, QuietTime& quiet, Prompter& prompter,
                           QWidget* parent)
    : QWidget(parent), m_tools(clock, quiet, prompter),
      m_startupWalls(kStartupLevelWalls.begin(), kStartupLevelWalls.end()),
      m_startupObjects(kStartupLevelObjects.begin(), kStartupLevelObjects.end()) {
    setObjectName(QStringLiteral("LevelMapCtrl"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    auto& c = m_connections;
    c.push_back(m_tools.cellChanged.connect([this](int x, int y) { redrawCell(x, y); }));
    c.push_back(m_tools.repaintNeeded.connect([this] { markDirty(); }));
    c.push_back(m_tools.overlayChanged.connect([this] { update(); }));
    c.push_back(m_tools.captureMouse.connect([this] { grabMouse(); }));
    c.push_back(m_tools.releaseMouse.connect([this] {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
    }));
    setPlanes(nullptr, nullptr);
    applySize();
}

void LevelMapCtrl::setPlanes(Plane* walls, Plane* objects) {
    m_tools.setPlanes(walls, objects);
    if (!m_tools.hasLevel()) {
        m_tools.walls = nullptr;
        m_tools.objects = nullptr;
        m_tools.view.walls = &m_startupWalls;
        m_tools.view.objects = &m_startupObjects;
    }
    markDirty();
}

void LevelMapCtrl::setGrid(bool on, bool repaint) {
    if (m_tools.view.grid == on)
        return;
    m_tools.view.grid = on;
    // The grid grows the control towards the top left so the map's centre stays in place.
    if (m_movesWithGrid) {
        const int d = kGridShift * m_zoom;
        move(pos() + (on ? QPoint(-d, -d) : QPoint(d, d)));
    }
    applySize();
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setShowFloors(bool on, bool repaint) {
    m_tools.view.showFloors = on;
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setShowObjects(bool on, bool repaint) {
    m_tools.view.showObjects = on;
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setSplit(SplitMode split, bool repaint) {
    m_tools.view.split = split;
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setDifficulty(int which, bool on, bool repaint) {
    if (which < 0 || which >= int(m_tools.view.difficulties.size()))
        return;
    m_tools.view.difficulties[size_t(which)] = on;
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setThirdPlaneEditing(bool on, bool repaint) {
    m_tools.view.thirdPlaneEditing = on;
    m_dirty = true;
    if (repaint)
        update();
}

void LevelMapCtrl::setZoom(int zoom) {
    m_zoom = std::clamp(zoom, 1, 8);
    applySize();
    update();
}

void LevelMapCtrl::applySize() {
    const int side = m_tools.view.controlSide() * m_zoom;
    setFixedSize(side, side);
}

void LevelMapCtrl::markDirty() {
    m_dirty = true;
    update();
}

void LevelMapCtrl::redrawCell(int x, int y) {
    if (m_dirty)
        return update(); // the whole picture is rebuilt anyway
    m_picture.renderCell(m_tools.view, x, y);
    const int pitch = m_tools.view.pitch() * m_zoom;
    update(QRect(x * pitch, y * pitch, pitch + m_zoom, pitch + m_zoom));
}

void LevelMapCtrl::rebuild() {
    m_picture.render(m_tools.view);
    m_dirty = false;
}

const MapPicture& LevelMapCtrl::picture() {
    if (m_dirty)
        rebuild();
    return m_picture;
}

QPoint LevelMapCtrl::cellAt(QPoint pos) const {
    const int x = floorDiv(pos.x(), m_zoom), y = floorDiv(pos.y(), m_zoom);
    const int limit = m_tools.view.mouseLimit();
    const int pitch = m_tools.view.pitch();
    // Positions right of or below the map area give a cell beyond 63, never a wrong one.
    return {x >= limit ? kMapSide + floorDiv(x - limit, pitch) : floorDiv(x, pitch),
            y >= limit ? kMapSide + floorDiv(y - limit, pitch) : floorDiv(y, pitch)};
}

QRect LevelMapCtrl::cellRect(int x0, int y0, int x1, int y1) const {
    const int pitch = m_tools.view.pitch() * m_zoom;
    const int l = std::min(x0, x1), r = std::max(x0, x1);
    const int t = std::min(y0, y1), b = std::max(y0, y1);
    return QRect(l * pitch, t * pitch, (r - l) * pitch + m_zoom, (b - t) * pitch + m_zoom);
}

void LevelMapCtrl::paintEvent(QPaintEvent*) {
    if (m_dirty)
        rebuild();
    QPainter p(this);
    const int side = m_tools.view.controlSide();
    const QImage img = toImage(m_picture.data(), kMapPictureSide, kMapPictureSide);
    p.drawImage(QRect(0, 0, side * m_zoom, side * m_zoom), img, QRect(0, 0, side, side));
    paintRectPreview(p);
    paintPaste(p);
    paintSelection(p);
    paintViewer(p);
}

void LevelMapCtrl::setViewerMark(std::optional<QPointF> position, int angle) {
    m_viewer = position;
    m_viewerAngle = angle;
    update();
}

void LevelMapCtrl::paintViewer(QPainter& p) {
    if (!m_viewer || !m_tools.hasLevel())
        return;
    const double pitch = m_tools.view.pitch() * m_zoom;
    const QPointF at = *m_viewer * pitch;
    const double a = m_viewerAngle * 3.14159265358979 / 180;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::red);
    p.drawEllipse(at, pitch * 0.4, pitch * 0.4);
    p.drawLine(at, at + QPointF(std::cos(a), -std::sin(a)) * pitch * 1.5);
}

void LevelMapCtrl::paintRectPreview(QPainter& p) {
    const RectDrag& r = m_tools.rect();
    if (!r.active || !m_tools.hasLevel())
        return;
    const MapView& v = m_tools.view;
    const int pitch = v.pitch();
    for (int y = std::min(r.y0, r.y1); y <= std::max(r.y0, r.y1); ++y)
        for (int x = std::min(r.x0, r.x1); x <= std::max(r.x0, r.x1); ++x) {
            const size_t i = size_t(y * kMapSide + x);
            const uint16_t wall =
                r.object ? (*v.walls)[i] : mergeSplit((*v.walls)[i], r.value, v.split);
            const uint16_t obj = r.object ? r.value : (*v.objects)[i];
            const CellPixels c = renderCellValues(v, wall, obj);
            const QImage img = toImage(c.data(), kSymbolSize, kSymbolSize);
            p.drawImage(QRect((x * pitch + 1) * m_zoom, (y * pitch + 1) * m_zoom,
                              kSymbolSize * m_zoom, kSymbolSize * m_zoom),
                        img);
        }
}

void LevelMapCtrl::paintSelection(QPainter& p) {
    const MapSelection& s = m_tools.selection();
    if (s.x0 == s.x1 || s.y0 == s.y1)
        return;
    QPen pen(Qt::white, 1, Qt::DotLine);
    p.setPen(pen);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawRect(cellRect(s.x0, s.y0, s.x1, s.y1));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void LevelMapCtrl::paintPaste(QPainter& p) {
    const auto& block = m_tools.pasteBlock();
    const int x = m_tools.hoverX(), y = m_tools.hoverY();
    if (m_tools.penMode() != PenMode::Paste || !block || x < 0 || y < 0 || x >= kMapSide ||
        y >= kMapSide)
        return;
    const BlockPicture pic = renderBlock(m_tools.view, *block);
    if (pic.width == 0 || pic.height == 0)
        return;
    const int pitch = m_tools.view.pitch();
    const QImage img = toImage(pic.pixels.data(), pic.width, pic.height);
    // The block keeps its 8-pixel cells; with the grid they lie exactly on the map's.
    const QRect target(x * pitch * m_zoom, y * pitch * m_zoom, pic.width * m_zoom,
                       pic.height * m_zoom);
    p.drawImage(target, img);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.drawRect(target.adjusted(0, 0, -1, -1));
}

void LevelMapCtrl::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
        return;
    const QPoint c = cellAt(e->position().toPoint());
    m_tools.press(c.x(), c.y(), e->button() == Qt::LeftButton);
}

void LevelMapCtrl::mouseMoveEvent(QMouseEvent* e) {
    // A move with no button down while the tools still hold one: the release went elsewhere.
    if (m_tools.buttonHeld() && !(e->buttons() & (Qt::LeftButton | Qt::RightButton)))
        m_tools.abandonButton();
    const QPoint c = cellAt(e->position().toPoint());
    m_tools.move(c.x(), c.y());
}

void LevelMapCtrl::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint c = cellAt(e->position().toPoint());
    m_tools.release(c.x(), c.y());
}

void LevelMapCtrl::focusOutEvent(QFocusEvent* e) {
    m_tools.abandonButton();
    QWidget::focusOutEvent(e);
}

void LevelMapCtrl::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (!(e->modifiers() & Qt::ControlModifier) || delta == 0) {
        e->ignore(); // the scroll area scrolls
        return;
    }
    zoomAbout(zoom() + (delta > 0 ? 1 : -1), e->position());
    e->accept();
}

QScrollArea* LevelMapCtrl::scrollArea() const {
    QWidget* viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

void LevelMapCtrl::zoomAbout(int zoom, QPointF anchor) {
    const int before = m_zoom;
    QScrollArea* area = scrollArea();
    const QPointF inViewport = area ? QPointF(mapTo(area->viewport(), anchor.toPoint())) : anchor;
    setZoom(std::clamp(zoom, 1, kMaxZoom));
    if (!area || m_zoom == before)
        return;
    // The map point that was under the anchor is put back under it, as far as the scroll bars
    // reach.
    const QPointF moved = anchor * m_zoom / before;
    const QPointF now = QPointF(mapTo(area->viewport(), moved.toPoint()));
    const QPointF off = now - inViewport;
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->value() + qRound(off.x()));
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() + qRound(off.y()));
}

void LevelMapCtrl::centreOnCell(int x, int y) {
    QScrollArea* area = scrollArea();
    if (!area)
        return;
    const int pitch = m_tools.view.pitch() * m_zoom;
    const QPoint centre(x * pitch + pitch / 2, y * pitch + pitch / 2);
    area->ensureVisible(centre.x(), centre.y(), area->viewport()->width() / 2,
                        area->viewport()->height() / 2);
}

void LevelMapCtrl::contextMenuEvent(QContextMenuEvent* e) {
    const PenMode mode = m_tools.penMode();
    // Every tool but the selection (left button only) uses the right button too.
    const bool draws = mode != PenMode::RectSelect;
    if (e->reason() == QContextMenuEvent::Mouse && draws) {
        e->accept(); // swallowed: no menu over a drawing tool
        return;
    }
    m_tools.abandonButton(); // the menu takes the release
    e->ignore();
}

void LevelMapCtrl::keyPressEvent(QKeyEvent* e) {
    // Escape drops a rectangle unwritten and ends a pen stroke as drawn: moves with the button
    // still down draw nothing more.
    if (e->key() == Qt::Key_Escape && (m_tools.rect().active || m_tools.buttonHeld())) {
        m_tools.abandonButton();
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace zentrik::gui
