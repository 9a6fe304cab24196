#pragma once

#include "maps/LevelSet.h"
#include "world/ObjectDescriptions.h"
#include "world/RayCaster.h"
#include "world/WorldFrame.h"
#include "world/WorldMap.h"

#include <cstdint>
#include <vector>

namespace zentrik {

// Picking: what the pixel (px, py) of the last frame shows.
enum class PickKind : uint8_t { None, Wall, Floor, Ceiling };
struct WorldPick {
    PickKind kind = PickKind::None;
    int x = -1, y = -1;
    bool operator==(const WorldPick&) const = default;
};

// A wall when the row lies in the column's wall span; else the floor (rows below the centre)
// or ceiling cell the pixel's ray meets. Nothing for a pixel whose floor point lies behind
// the view point, off the map or out of range.
WorldPick pickAt(const WorldFrame& frame, const ViewerPose& pose, int px, int py);

// One word of a plane changed by an edit.
struct CellChange {
    uint8_t plane = 0;
    uint16_t index = 0; // row-major: y * 64 + x
    uint16_t before = 0, after = 0;
    bool operator==(const CellChange&) const = default;
};
using CellChanges = std::vector<CellChange>;

enum class WorldEditPlane : uint8_t { Walls = 0, Objects = 1, Floors = 2, FlatTextures = 3 };

struct WorldEditRules {
    bool lockDoors = false;     // a door is left as it is
    bool lockPushwalls = false; // a wall put on a pushwall keeps it a pushwall
};

// The edits the 3D view makes, each on the level's planes only; the caller rescans the world
// map round the changed cells (applyWorldEdit does both). Nothing changes without both planes.
//
// A wall, door or floor code into plane 0. With doors locked a door cell stays. A wall put on
// a pushwall stays one with the lock on; with the lock off the cell's pushwall marker goes, so
// that the plain wall the user sees is also what the map keeps.
CellChanges placeWall(Level& level, const WorldMap& map, const ObjectDescriptionTable& objects,
                      int x, int y, uint16_t value, const WorldEditRules& rules);
CellChanges placeObject(Level& level, int x, int y, uint16_t value);
// The floor (low) or ceiling (high) byte: of plane 0 cell [0][0] in the colour and
// single-texture modes, of the cell's third-plane word in the per-cell mode (nothing without
// the third plane).
CellChanges setFlatByte(Level& level, FloorMode mode, int x, int y, bool ceiling, uint8_t value);

// A press of the mouse in the 3D view: the pen's value into what was picked, by edit plane,
// then the world map follows.
CellChanges applyWorldEdit(Level& level, WorldMap& map, const ObjectDescriptionTable& objects,
                           const WorldPick& pick, WorldEditPlane plane, uint16_t pen,
                           FloorMode mode, const WorldEditRules& rules);

// The changes of one stroke (press, drags, release) gathered into one undoable step: each
// word keeps its first "before" and its last "after".
class EditStroke {
public:
    void add(const CellChanges& changes);
    const CellChanges& changes() const { return m_changes; }
    bool empty() const { return m_changes.empty(); }
    void undo(Level& level) const;
    void redo(Level& level) const;

private:
    CellChanges m_changes;
};

} // namespace zentrik
