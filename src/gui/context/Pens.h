#pragma once

#include <cstdint>

namespace zentrik::gui {

// What an empty pen or map slot (value 0 without a name) is called everywhere.
inline constexpr const char* kEmptySlotLabel = "0 --- Nothing ---";

// The values the map editors draw with: one pen for each mouse button, each holding a wall,
// an object and a floor value, and the byte the 3D view paints floors and ceilings with (a
// wall texture number, or a palette colour in the flat-colour mode).
struct Pen {
    uint16_t wall = 0;
    uint16_t object = 0;
    uint16_t floor = 0;
    uint8_t flat = 0;
    bool operator==(const Pen&) const = default;
};

struct PenPair {
    Pen left;
    Pen right;
    Pen& of(bool leftButton) { return leftButton ? left : right; }
    const Pen& of(bool leftButton) const { return leftButton ? left : right; }
};

// The plane a map page edits; a pen change of kind 0 goes to this plane.
enum class EditPlane { Walls, Objects, Floors };

// The kinds of a pen change.
enum PenKind { kPenOfEditPlane = 0, kPenWall = 1, kPenObject = 2, kPenFloor = 3, kPenFlat = 4 };

} // namespace zentrik::gui
