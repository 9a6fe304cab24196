#pragma once

#include <QObject>

namespace zentrik::gui {

// The messages that pages and controls send to the main window and to each other. Each page
// emits the signal; whoever shows the affected data listens. One object for the whole run,
// owned by the AppContext.
class AppMessages : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The map cell under the mouse with the object (plane 1) and wall (plane 0) values there.
    void mapCursor(int x, int y, quint16 object, quint16 wall);
    // A pen was picked: kind 1 wall, 2 object, 3 floor, 0 the plane of the map's edit mode.
    void penChanged(bool left, int kind, quint16 object, quint16 wallOrFloor);
    // A pen as stored after a penChanged, kind 1..4 (the side panel and symbol editors redraw).
    void pensUpdated(bool left, int kind);
    // The current palette changed: every view that draws with it rebuilds.
    void paletteSwitched();
    // The symbol strip or the names changed: tile lists and map views redraw.
    void symbolsChanged();
    void sidePanel(bool hide);
    // Jump into the 3D view at map cell (x, y).
    void goTo3D(int x, int y);
    // The 3D view turns toward map cell (x, y) from where it stands (the level check's "show").
    void turnTo3D(int x, int y);
    // A palette was added to the palette folder ("Create new palette").
    void paletteAdded(const QString& name);
    // The edit plane of the maps was switched (by a tile list, the map page or the 3D page).
    void editPlaneChanged();
    // The 3D page edits floor and ceiling bytes (shown) or left that plane: the side panel
    // shows the pens' flat bytes as colours or as textures in place of their walls.
    void flatPensShown(bool shown, bool colors);
};

} // namespace zentrik::gui
