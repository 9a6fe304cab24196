#pragma once

#include "maps/MapEditTools.h"
#include "maps/MapRenderer.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

class QScrollArea;

namespace zentrik::gui {

// The level map: the current level as 64 x 64 symbols of 7 x 7 pixels, drawn with the pens.
// The tools live in MapEditController; this control turns mouse positions into cells and
// draws the picture, the rectangle preview, the selection frame and the paste preview.
class LevelMapCtrl : public QWidget {
    Q_OBJECT
public:
    LevelMapCtrl(const Clock& clock, QuietTime& quiet, Prompter& prompter,
                 QWidget* parent = nullptr);

    MapEditController& controller() { return m_tools; }
    const MapEditController& controller() const { return m_tools; }
    MapView& view() { return m_tools.view; }

    // The level's planes, or none: then the built-in start-up picture is shown and the mouse
    // does nothing.
    void setPlanes(Plane* walls, Plane* objects);
    void setGrid(bool on, bool repaint = true);
    void setShowFloors(bool on, bool repaint = true);
    void setShowObjects(bool on, bool repaint = true);
    void setSplit(SplitMode split, bool repaint = true);
    void setDifficulty(int which, bool on, bool repaint = true);
    void setThirdPlaneEditing(bool on, bool repaint = true);
    // Whole factors from 1 (the control's own geometry) to kMaxZoom.
    static constexpr int kMaxZoom = 4;
    void setZoom(int zoom);
    void zoomBy(int steps) { setZoom(std::clamp(m_zoom + steps, 1, kMaxZoom)); }
    // Zooms so that the point `anchor` (in this control) stays where it is on the screen, as
    // far as the scroll area around the control can scroll (Ctrl+wheel: the mouse pointer).
    void zoomAbout(int zoom, QPointF anchor);
    // Scrolls the scroll area around the control so that the cell is in the middle.
    void centreOnCell(int x, int y);
    // Placed by hand, the control moves 32 pixels on a grid toggle so the map stays put; a
    // scroll area or layout that centres it turns this off.
    void setMovesWithGrid(bool on) { m_movesWithGrid = on; }
    int zoom() const { return m_zoom; }

    void markDirty();
    void redrawCell(int x, int y);
    // Where the 3D view's viewer stands (in tiles) and looks (degrees, 90 up); none hides it.
    void setViewerMark(std::optional<QPointF> position, int angle = 0);
    // The cell under a position of the control; outside the map area it lies outside 0..63.
    QPoint cellAt(QPoint pos) const;
    // The picture as drawn (for the tests and the screenshot).
    const MapPicture& picture();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    // Over the map a right click uses the right pen; the page's menu opens there only for the
    // rectangle selection, which has no right-button use (or from the keyboard).
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QScrollArea* scrollArea() const;
    void rebuild();
    void applySize();
    void paintRectPreview(QPainter& p);
    void paintSelection(QPainter& p);
    void paintPaste(QPainter& p);
    void paintViewer(QPainter& p);
    QRect cellRect(int x0, int y0, int x1, int y1) const; // half-open cell range, in pixels

    MapEditController m_tools;
    std::vector<Connection> m_connections;
    MapPicture m_picture;
    Plane m_startupWalls, m_startupObjects;
    bool m_dirty = true;
    int m_zoom = 1;
    bool m_movesWithGrid = true;
    std::optional<QPointF> m_viewer;
    int m_viewerAngle = 0;
};

} // namespace zentrik::gui
