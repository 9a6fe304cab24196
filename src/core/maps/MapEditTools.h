#pragma once

#include "app/Signal.h"
#include "maps/MapClipboard.h"
#include "maps/MapRenderer.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace zentrik {

// The seven things a mouse button does on the level map.
enum class PenMode {
    Pen = 0,
    Pipette = 1,
    Fill = 2,
    Rectangle = 3,
    RectSelect = 4,
    Paste = 5,
    PickPosition = 6,
};

// Which value of a pen the buttons draw: walls and floors both go to the wall plane.
enum class PenTarget { Walls, Floors, Objects };

struct MapPen {
    uint16_t wall = 0;
    uint16_t object = 0;
    uint16_t floor = 0;
    bool operator==(const MapPen&) const = default;
};

// What lies under the mouse: the cell and the object and (split part of the) wall value there.
struct CursorReport {
    int x = -1, y = -1;
    uint16_t object = 0;
    uint16_t wall = 0;
    bool operator==(const CursorReport&) const = default;
};

struct RectDrag {
    bool active = false;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    uint16_t value = 0;
    bool object = false;
};

// The level map's tools, driven by mouse events in cell coordinates. It draws nothing itself:
// it changes the planes and tells the view which cells to redraw.
class MapEditController {
public:
    MapEditController(const Clock& clock, QuietTime& quiet, Prompter& prompter)
        : m_clock(clock), m_quiet(quiet), m_prompter(prompter) {}

    MapView view;           // planes, symbols and display switches
    Plane* walls = nullptr; // the planes written (the same ones the view shows)
    Plane* objects = nullptr;
    MapPen left, right;
    PenTarget target = PenTarget::Walls;

    void setPlanes(Plane* wallPlane, Plane* objectPlane);
    bool hasLevel() const;
    bool wallsMode() const { return target != PenTarget::Objects; }

    PenMode penMode() const { return m_mode; }
    void setPenMode(PenMode mode);

    // Mouse events; a cell may lie outside the map (a captured mouse). Returns false when the
    // press was ignored (no level, quiet time, or outside the map).
    bool press(int x, int y, bool leftButton);
    void move(int x, int y);
    void release(int x, int y);
    bool buttonHeld() const { return m_button != 0; }
    // Escape: ends a rectangle without writing. True when one was being drawn.
    bool escape();
    // The button went up where the tools could not see it (a menu took the release, the
    // window lost the focus): a stroke ends as drawn, a rectangle is dropped unwritten.
    void abandonButton();

    const RectDrag& rect() const { return m_rect; }
    const MapSelection& selection() const { return m_selection; }
    void clearSelection() { m_selection = {}; }
    // Selects a block of cells, as a rectangle selection would (the level check's "go to").
    void select(const MapSelection& s) {
        m_selection = s;
        overlayChanged();
    }
    bool hasSelection() const;

    // Paste: accepts only blocks narrower and lower than the map, then waits for a click.
    bool beginPaste(const MapClipBlock& block);
    const std::optional<MapClipBlock>& pasteBlock() const { return m_paste; }
    int hoverX() const { return m_lastX; }
    int hoverY() const { return m_lastY; }

    const CursorReport& cursor() const { return m_cursor; }

    // Writes one cell as the pens do (the split mode applies in walls mode).
    void writeCell(int x, int y, uint16_t value, bool object);

    // What the tools tell the views; any number of views may listen.
    Signal<int, int> cellChanged;            // x, y
    Signal<> repaintNeeded;                  // the whole picture must be rebuilt
    Signal<> overlayChanged;                 // selection, rectangle or paste preview moved
    Signal<> modified;                       // a plane was changed by a pen
    Signal<> playerStartDrawn;               // a player start was drawn (the 3D view reloads)
    Signal<bool, uint16_t, uint16_t> picked; // left button, wall, object
    Signal<int, int> positionPicked;         // x, y
    Signal<const CursorReport&> cursorMoved;
    Signal<> captureMouse; // press taken: grab the mouse
    Signal<> releaseMouse;
    Signal<> pasteDone;   // the pasted block went into the planes
    Signal<> strokeBegin; // an edit that may change planes starts
    Signal<> strokeEnd;

private:
    bool inMap(int x, int y) const { return x >= 0 && y >= 0 && x < kMapSide && y < kMapSide; }
    const MapPen& pen() const { return m_button == 1 ? left : right; }
    uint16_t penValue() const;
    void apply(int x, int y, bool first);
    void drawLine(int x0, int y0, int x1, int y1);
    void pipette(int x, int y);
    void fill(int x, int y);
    void dragSelection(int x, int y);
    void paste(int x, int y);
    void endButton();
    void report(int x, int y, bool always);

    const Clock& m_clock;
    QuietTime& m_quiet;
    Prompter& m_prompter;
    PenMode m_mode = PenMode::Pen;
    int m_button = 0; // 0 none, 1 left, 2 right
    int m_lastX = -1, m_lastY = -1;
    RectDrag m_rect;
    MapSelection m_selection;
    std::optional<MapClipBlock> m_paste;
    CursorReport m_cursor;
};

} // namespace zentrik
