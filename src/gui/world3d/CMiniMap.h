#pragma once

#include "world/Minimap.h"
#include "world/SymbolStrip.h"

#include <QImage>
#include <QWidget>

namespace zentrik {
class Clock;
}

namespace zentrik::gui {

class WinWolfCtrl;

// The 116 x 116 minimap beside the 3D view: the tiles round the viewer with their symbols and
// the viewer's marks in a sunken frame. The left button moves the viewer, the right turns it.
class CMiniMap : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSide = kMinimapSide + 4;

    CMiniMap(WinWolfCtrl& view, const Clock& clock, QWidget* parent = nullptr);
    // What it draws: the level (null when none is loaded) and the symbols.
    void setSource(const Level* level, const SymbolStrip* strip);
    void refresh();
    const QImage& picture() const { return m_image; }

    QSize sizeHint() const override { return {kSide, kSide}; }

signals:
    void viewerChanged(); // moved or turned by a click

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void act(QPoint picturePoint);

    WinWolfCtrl& m_view;
    const Clock& m_clock;
    const Level* m_level = nullptr;
    const SymbolStrip* m_strip = nullptr;
    MinimapPicture m_pixels{};
    QImage m_image;
    int m_button = 0;
    QPoint m_last;
    uint32_t m_lastTick = 0;
};

} // namespace zentrik::gui
