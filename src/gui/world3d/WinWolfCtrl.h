#pragma once

#include "world/RayCaster.h"
#include "world/Viewer.h"
#include "world/WorldEdit.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace zentrik::gui {

// The 3D view: draws the core's frame at the size of the widget (600:375, 600 x 375 at the
// least, centred), walks with the keys
// (arrows, keypad, WASD; Shift runs, Ctrl or Alt strafes) and hands mouse presses on as picks.
class WinWolfCtrl : public QWidget {
    Q_OBJECT
public:
    WinWolfCtrl(const Clock& clock, QWidget* parent = nullptr);

    void setScene(const RenderScene& scene) { m_scene = scene; }
    void setPalette(const GamePalette& palette);
    RenderOptions& options() { return m_options; }
    ViewerMotion& motion() { return m_motion; }
    const WorldFrame& frame() const { return *m_frame; }
    // The frame as an 8-bit picture through the palette (shares the frame's pixels, so it is
    // made again whenever the frame changes its size).
    const QImage& image() const { return m_image; }
    // Draws a new frame now and shows it.
    void redraw();
    // The frame pixel under a widget point; (-1, -1) outside the picture.
    QPoint toFrame(QPoint widgetPoint) const;
    // The right button turns the view instead of editing.
    void setFreeLook(bool on) { m_freeLook = on; }

    QSize sizeHint() const override { return {kViewWidth, kViewHeight}; }

signals:
    // A press (first) or its repeat while dragging; button 1 left, 2 right, 3 middle.
    void pressed(const WorldPick& pick, int button, bool first, int row);
    void released();
    void hovered(const WorldPick& pick);
    void viewerMoved();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    bool handleKey(QKeyEvent* e, bool pressed);
    QRect target() const;
    // Gives the frame the size of target(); true when it changed.
    bool fitFrame();
    void step();

    RenderScene m_scene;
    RenderOptions m_options;
    ViewerMotion m_motion;
    std::unique_ptr<WorldFrame> m_frame = std::make_unique<WorldFrame>();
    QImage m_image;
    QList<QRgb> m_colours;
    QTimer m_timer;
    int m_button = 0;
    QPoint m_last; // frame point of the last press or repeat
    WorldPick m_lastPick;
    bool m_freeLook = false;
};

} // namespace zentrik::gui
