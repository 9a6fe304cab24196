#pragma once

#include "maps/LevelSet.h"
#include "Result.h"

#include <cstdint>

namespace zentrik {

// The engine's player start objects (plane 1): 19 looks north, 20 east, 21 south, 22 west.
inline constexpr uint16_t kPlayerStartNorth = 19;
inline constexpr uint16_t kPlayerStartWest = 22;

// Where "Play from here" puts the player: a cell and an angle in the engine's degrees
// (0 east, 90 north).
struct PlaySpot {
    int x = 0, y = 0;
    int angle = 90;
};

// The start object looking the nearest of the four directions the engine knows.
uint16_t playerStartFor(int angle);

// Puts the level's only player start on the spot: every other start object goes. A spot off
// the map, inside a wall, or a level without its object plane is refused and leaves the level
// as it was.
Status movePlayerStart(Level& level, const PlaySpot& spot);

} // namespace zentrik
