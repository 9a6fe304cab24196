#pragma once

#include "maps/LevelSet.h"
#include "Result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zentrik {

// The block that goes to the clipboard under "MAPCLIPFORMAT": width, height, then 4096 wall
// values, 4096 object values and 4096 third values (always 0, ignored on paste), the cells
// of the block row by row.
inline constexpr const char* kMapClipFormat = "MAPCLIPFORMAT";
inline constexpr size_t kMapClipBytes = 4 + 3 * kPlaneBytes; // 24580

struct MapClipBlock {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint16_t> walls = std::vector<uint16_t>(kPlaneWords);
    std::vector<uint16_t> objects = std::vector<uint16_t>(kPlaneWords);
};

std::vector<uint8_t> encodeMapClip(const MapClipBlock& block);
// Refuses anything but a whole block whose cells fit its 4096 entries.
Result<MapClipBlock> decodeMapClip(std::span<const uint8_t> bytes);

// A rectangle selection by two corners in any order; the end corner lies one beyond the last
// selected cell, so the columns are [min x, max x) and likewise the rows.
struct MapSelection {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Copy (and with `cut`, clear the copied cells). Nothing when the selection is empty.
std::optional<MapClipBlock> copyCells(Plane& walls, Plane& objects, const MapSelection& sel,
                                      bool cut);
// Only blocks narrower and lower than the map are pasted.
bool canPaste(const MapClipBlock& block);
// Writes the block with its top left cell at (column, row); cells beyond 63 are dropped.
bool pasteCells(Plane& walls, Plane& objects, const MapClipBlock& block, int column, int row);

} // namespace zentrik
