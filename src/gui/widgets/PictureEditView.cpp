#include "widgets/PictureEditView.h"

#include "draw/LineTool.h"
#include "draw/RectangleTool.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zentrik::gui {

namespace {

constexpr int kViewSide = ZoomView::kViewPixels;
constexpr int kGridFrom = 4;    // magnification from which the pixel grid can show
constexpr int kCheckerCell = 6; // screen pixels of a transparency square
const QColor kBackground(64, 64, 64);
const QColor kGridColour(0, 0, 0, 60);

// A cheap fingerprint of the chunk's pixels: tells whether an action changed any of them.
uint64_t pixelHash(const CDrawDevice& d) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < d.height(); ++y)
        for (int x = 0; x < d.width(); ++x)
            h = (h ^ d.getPixel(x, y)) * 1099511628211ull;
    return h;
}

void paintChecker(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(200, 200, 200));
    for (int y = r.top() - r.top() % kCheckerCell; y <= r.bottom(); y += kCheckerCell)
        for (int x = r.left() - r.left() % kCheckerCell; x <= r.right(); x += kCheckerCell)
            if (((x / kCheckerCell) + (y / kCheckerCell)) % 2 == 0)
                p.fillRect(QRect(x, y, kCheckerCell, kCheckerCell).intersected(r),
                           QColor(150, 150, 150));
}

} // namespace

PictureEditView::PictureEditView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("PictureEditView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // No frame: the magnified 64- or 128-pixel chunk fills the 384 pixels exactly. The view
    // starts at that size and grows with the window.
    setFrameStyle(QFrame::NoFrame);
    setMinimumSize(sizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureEditView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PictureEditView::setGrid(bool on) {
    m_grid = on;
    viewport()->update();
}

void PictureEditView::fitToView() {
    if (!m_editor)
        return;
    const CDrawDevice& d = m_editor->device();
    act([&] { m_editor->view().fit(d.width(), d.height()); });
}

QSize PictureEditView::sizeHint() const {
    return {kViewSide, kViewSide};
}

void PictureEditView::setEditor(PictureEditor* editor) {
    m_editor = editor;
    chunkChanged();
}

void PictureEditView::setPalette(const Palette& palette) {
    m_palette = palette;
    viewport()->update();
}

void PictureEditView::setTransparency(bool on) {
    m_transparency = on;
    viewport()->update();
}

void PictureEditView::chunkChanged() {
    updateScrollBars();
    viewport()->update();
}

void PictureEditView::updateScrollBars() {
    m_syncingScroll = true;
    int w = 0, h = 0, m = 1;
    if (m_editor) {
        w = m_editor->device().width();
        h = m_editor->device().height();
        m = std::max(1, m_editor->view().magnification);
        // The view's own rule decides, from the whole widget's size, not the viewport's
        // momentary one: a 64-pixel chunk at 6x fills the 384 pixels exactly.
        m_editor->view().viewWidth = std::max(1, width());
        m_editor->view().viewHeight = std::max(1, height());
    }
    const ZoomView* view = m_editor ? &m_editor->view() : nullptr;
    const int visibleW = view ? view->visibleWidth(w, h) / m : kViewSide;
    const int visibleH = view ? view->visibleHeight(w, h) / m : kViewSide;
    horizontalScrollBar()->setRange(0, std::max(0, w - visibleW));
    verticalScrollBar()->setRange(0, std::max(0, h - visibleH));
    horizontalScrollBar()->setPageStep(std::max(1, visibleW));
    verticalScrollBar()->setPageStep(std::max(1, visibleH));
    if (m_editor) {
        ZoomView& v = m_editor->view();
        v.scrollX = std::clamp(v.scrollX, 0, horizontalScrollBar()->maximum());
        v.scrollY = std::clamp(v.scrollY, 0, verticalScrollBar()->maximum());
        horizontalScrollBar()->setValue(v.scrollX);
        verticalScrollBar()->setValue(v.scrollY);
    }
    m_syncingScroll = false;
}

void PictureEditView::scrollContentsBy(int, int) {
    if (m_syncingScroll || !m_editor)
        return;
    m_editor->view().scrollX = horizontalScrollBar()->value();
    m_editor->view().scrollY = verticalScrollBar()->value();
    viewport()->update();
}

ChunkPoint PictureEditView::chunkAt(QPointF pos) const {
    if (!m_editor)
        return {-1, -1};
    return m_editor->view().toChunk(int(std::floor(pos.x())), int(std::floor(pos.y())));
}

QPoint PictureEditView::toScreen(ChunkPoint p) const {
    if (!m_editor)
        return {};
    const ZoomView& v = m_editor->view();
    return {(p.x - v.scrollX) * v.magnification, (p.y - v.scrollY) * v.magnification};
}

QRect PictureEditView::screenRect(const ChunkRect& r) const {
    const int m = m_editor ? m_editor->view().magnification : 1;
    return QRect(toScreen({r.left, r.top}), QSize(r.width() * m, r.height() * m));
}

QImage PictureEditView::chunkImage() const {
    const CDrawDevice& d = m_editor->device();
    QImage image(d.width(), d.height(), QImage::Format_ARGB32);
    for (int y = 0; y < d.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < d.width(); ++x) {
            const uint8_t i = d.getPixel(x, y);
            line[x] = m_transparency && i == 255 ? qRgba(0, 0, 0, 0) : m_palette[i] | 0xFF000000u;
        }
    }
    return image;
}

void PictureEditView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), kBackground);
    if (!m_editor || !m_editor->device().hasChunk())
        return;
    const CDrawDevice& d = m_editor->device();
    const QRect chunk = screenRect(d.bounds());
    if (m_transparency)
        paintChecker(p, chunk.intersected(viewport()->rect()));
    p.drawImage(chunk, chunkImage());
    paintOverlay(p);
}

void PictureEditView::paintOverlay(QPainter& p) const {
    const int m = m_editor->view().magnification;
    const CDrawDevice& d = m_editor->device();
    const FloatingSelection& sel = m_editor->selection();
    if (sel.floating()) {
        QImage block(sel.width(), sel.height(), QImage::Format_ARGB32);
        for (int y = 0; y < sel.height(); ++y)
            for (int x = 0; x < sel.width(); ++x) {
                const uint8_t i = sel.pixels()[size_t(y) * size_t(sel.width()) + size_t(x)];
                block.setPixel(x, y, m_transparency && i == 255 ? 0u : m_palette[i] | 0xFF000000u);
            }
        p.drawImage(screenRect(sel.rect()), block);
    }
    if (m_grid && m >= kGridFrom) {
        p.setPen(kGridColour);
        const QRect chunk = screenRect(d.bounds());
        for (int x = chunk.left(); x <= chunk.right() + 1; x += m)
            p.drawLine(x, chunk.top(), x, chunk.bottom());
        for (int y = chunk.top(); y <= chunk.bottom() + 1; y += m)
            p.drawLine(chunk.left(), y, chunk.right(), y);
    }
    auto band = [&p](const QRect& r) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    if (sel.exists())
        band(screenRect(sel.rect()));
    auto& tool = m_editor->tool();
    if (auto* line = dynamic_cast<const LineTool*>(&tool); line && line->pending()) {
        const auto [a, b] = *line->pending();
        forEachLinePixel(a, b, [&](ChunkPoint q) {
            p.fillRect(QRect(toScreen(q), QSize(m, m)), QColor(255, 255, 255, 160));
        });
    } else if (auto* rect = dynamic_cast<const RectangleTool*>(&tool)) {
        if (auto r = rect->pending(d))
            band(screenRect(*r));
    }
}

PictureEditView::Snapshot PictureEditView::snapshot() const {
    const CDrawDevice& d = m_editor->device();
    return {pixelHash(d), d.undoRing().newestSerial(d.chunkKey()),
            m_editor->colour(MouseButton::Left), m_editor->colour(MouseButton::Right),
            m_editor->view().magnification};
}

void PictureEditView::afterAction(const Snapshot& before) {
    if (!m_editor)
        return;
    const CDrawDevice& d = m_editor->device();
    // The set's unsaved state follows its history, so a new or undone step is an edit too.
    if (pixelHash(d) != before.hash || d.undoRing().newestSerial(d.chunkKey()) != before.step)
        emit edited();
    if (m_editor->colour(MouseButton::Left) != before.left ||
        m_editor->colour(MouseButton::Right) != before.right)
        emit coloursChanged();
    if (m_editor->view().magnification != before.zoom) {
        updateScrollBars();
        emit zoomChanged(m_editor->view().magnification);
    }
    viewport()->update();
    emit acted();
}

void PictureEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    const MouseButton b =
        event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
    act([&] { m_editor->buttonDown(b, chunkAt(event->position())); });
}

void PictureEditView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editor)
        return;
    const ChunkPoint p = chunkAt(event->position());
    if (m_editor->device().contains(p))
        emit cursorMoved(p.x, p.y, m_editor->device().getPixel(p.x, p.y));
    else
        emit cursorMoved(-1, -1, 0);
    if (!m_editor->buttonHeld())
        return;
    act([&] { m_editor->mouseMove(p); });
}

void PictureEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick pair arrives as a double click: it paints like the first.
    mousePressEvent(event);
}

void PictureEditView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    const MouseButton b =
        event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
    act([&] { m_editor->buttonUp(b, chunkAt(event->position())); });
}

void PictureEditView::leaveEvent(QEvent* event) {
    emit cursorMoved(-1, -1, 0);
    QAbstractScrollArea::leaveEvent(event);
}

bool PictureEditView::zoom(bool in, ChunkPoint centre) {
    if (!m_editor)
        return false;
    const CDrawDevice& d = m_editor->device();
    bool changed = false;
    act([&] {
        changed = in ? m_editor->view().zoomIn(centre, d.width(), d.height())
                     : m_editor->view().zoomOut(centre, d.width(), d.height());
    });
    return changed;
}

void PictureEditView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !m_editor) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        // About the pointer: the pixel under it stays under it.
        const CDrawDevice& d = m_editor->device();
        const QPoint at = event->position().toPoint();
        act([&] { m_editor->view().zoomAbout(delta > 0, at.x(), at.y(), d.width(), d.height()); });
    }
    event->accept();
}

void PictureEditView::undo() {
    act([&] { m_editor->undo(); });
}

void PictureEditView::redo() {
    act([&] { m_editor->redo(); });
}

void PictureEditView::copy() {
    act([&] { m_editor->copy(); });
    if (!m_editor->clipboard().empty())
        emit copied();
}

void PictureEditView::cut() {
    act([&] { m_editor->cut(); });
    if (!m_editor->clipboard().empty())
        emit copied();
}

void PictureEditView::paste() {
    act([&] { m_editor->paste(); });
}

void PictureEditView::deleteSelection() {
    act([&] { m_editor->deleteSelection(); });
}

void PictureEditView::cancelTool() {
    act([&] { m_editor->cancel(); });
}

void PictureEditView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Cut))
        cut();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (event->key() == Qt::Key_Delete)
        deleteSelection();
    else if (event->key() == Qt::Key_Escape)
        cancelTool();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

} // namespace zentrik::gui
