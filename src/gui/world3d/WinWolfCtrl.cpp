#include "world3d/WinWolfCtrl.h"

#include "widgets/PaletteColours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace zentrik::gui {

namespace {

constexpr int kTickMs = 8;
constexpr int kRepeatPixels = 6;

std::optional<ViewKey> viewKey(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_4:
        return e->key() == Qt::Key_4 && !(e->modifiers() & Qt::KeypadModifier)
                   ? std::nullopt
                   : std::optional(ViewKey::Left);
    case Qt::Key_Right:
    case Qt::Key_6:
        return e->key() == Qt::Key_6 && !(e->modifiers() & Qt::KeypadModifier)
                   ? std::nullopt
                   : std::optional(ViewKey::Right);
    case Qt::Key_Up:
    case Qt::Key_8:
    case Qt::Key_W:
        return e->key() == Qt::Key_8 && !(e->modifiers() & Qt::KeypadModifier)
                   ? std::nullopt
                   : std::optional(ViewKey::Up);
    case Qt::Key_Down:
    case Qt::Key_5:
    case Qt::Key_S:
        return e->key() == Qt::Key_5 && !(e->modifiers() & Qt::KeypadModifier)
                   ? std::nullopt
                   : std::optional(ViewKey::Down);
    case Qt::Key_A:
        return ViewKey::StrafeLeft;
    case Qt::Key_D:
        return ViewKey::StrafeRight;
    case Qt::Key_Shift:
        return ViewKey::Run;
    case Qt::Key_Control:
    case Qt::Key_Alt:
        return ViewKey::Strafe;
    default:
        return std::nullopt;
    }
}

} // namespace

WinWolfCtrl::WinWolfCtrl(const Clock& clock, QWidget* parent)
    : QWidget(parent), m_motion(clock), m_image(m_frame->pixels.data(), kViewWidth, kViewHeight,
                                                kViewWidth, QImage::Format_Indexed8) {
    setObjectName(QStringLiteral("WinWolfCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The frame's smallest geometry is the widget's smallest; a larger page draws a larger one.
    setMinimumSize(kViewWidth, kViewHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &WinWolfCtrl::step);
    m_timer.start();
}

void WinWolfCtrl::setPalette(const GamePalette& palette) {
    const auto colours = paletteColours(palette);
    m_colours = QList<QRgb>(colours.begin(), colours.end());
    m_image.setColorTable(m_colours);
    update();
}

bool WinWolfCtrl::fitFrame() {
    const QSize size = target().size().expandedTo({kViewWidth, kViewHeight});
    if (size == QSize(m_frame->width(), m_frame->height()))
        return false;
    m_frame->resize(size.width(), size.height());
    m_image = QImage(m_frame->pixels.data(), m_frame->width(), m_frame->height(), m_frame->width(),
                     QImage::Format_Indexed8);
    m_image.setColorTable(m_colours);
    return true;
}

void WinWolfCtrl::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (fitFrame())
        redraw();
}

void WinWolfCtrl::redraw() {
    fitFrame();
    renderFrame(m_scene, m_motion.pose, m_options, *m_frame);
    update();
}

void WinWolfCtrl::step() {
    if (!m_scene.map || !m_motion.moving()) {
        m_motion.restart();
        return;
    }
    if (m_motion.tick(*m_scene.map)) {
        redraw();
        emit viewerMoved();
    }
}

QRect WinWolfCtrl::target() const {
    // As large as the widget allows, always 600:375: the view grows with the page.
    const double scale = std::min(double(width()) / kViewWidth, double(height()) / kViewHeight);
    const int w = std::min(int(kViewWidth * scale), kMaxViewSide),
              h = std::min(int(kViewHeight * scale), kMaxViewSide);
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

QPoint WinWolfCtrl::toFrame(QPoint p) const {
    const QRect t(target().topLeft(), QSize(m_frame->width(), m_frame->height()));
    if (!t.contains(p))
        return {-1, -1};
    return p - t.topLeft();
}

void WinWolfCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    // Pixel for pixel: the frame has the picture's size (unless the widget is below the
    // smallest, where it is cut).
    p.drawImage(target().topLeft(), m_image);
}

bool WinWolfCtrl::handleKey(QKeyEvent* e, bool pressed) {
    const auto key = viewKey(e);
    if (!key)
        return false;
    m_motion.key(*key, pressed, e->isAutoRepeat());
    return true;
}

bool WinWolfCtrl::event(QEvent* e) {
    // Seen before the focus chain: the arrows and Tab would move the focus away.
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (handleKey(k, e->type() == QEvent::KeyPress)) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void WinWolfCtrl::focusOutEvent(QFocusEvent* e) {
    m_motion.focusLost();
    QWidget::focusOutEvent(e);
}

void WinWolfCtrl::mousePressEvent(QMouseEvent* e) {
    setFocus();
    const QPoint f = toFrame(e->position().toPoint());
    if (f.x() < 0)
        return;
    m_button = e->button() == Qt::LeftButton     ? 1
               : e->button() == Qt::RightButton  ? 2
               : e->button() == Qt::MiddleButton ? 3
                                                 : 0;
    m_last = f;
    if (m_button == 0 || (m_button == 2 && m_freeLook))
        return;
    m_lastPick = pickAt(*m_frame, m_motion.pose, f.x(), f.y());
    emit pressed(m_lastPick, m_button, true, f.y());
}

void WinWolfCtrl::mouseMoveEvent(QMouseEvent* e) {
    const QPoint f = toFrame(e->position().toPoint());
    if (f.x() < 0)
        return;
    if (m_button == 2 && m_freeLook) {
        const int turn = (m_last.x() - f.x()) / 4; // a quarter degree per picture pixel
        if (turn != 0) {
            m_motion.pose.angle = ((m_motion.pose.angle + turn) % 360 + 360) % 360;
            m_last = f;
            redraw();
            emit viewerMoved();
        }
        return;
    }
    const WorldPick pick = pickAt(*m_frame, m_motion.pose, f.x(), f.y());
    if (m_button == 0) {
        emit hovered(pick);
        return;
    }
    const bool far = std::abs(f.x() - m_last.x()) >= kRepeatPixels ||
                     std::abs(f.y() - m_last.y()) >= kRepeatPixels;
    if (far || pick.x != m_lastPick.x || pick.y != m_lastPick.y) {
        m_last = f;
        m_lastPick = pick;
        emit pressed(pick, m_button, false, f.y());
    }
}

void WinWolfCtrl::mouseReleaseEvent(QMouseEvent*) {
    if (m_button != 0 && !(m_button == 2 && m_freeLook))
        emit released();
    m_button = 0;
}

} // namespace zentrik::gui
