#include "play/PlayStart.h"

namespace zentrik {

namespace {

// Plane-0 values below the doors are walls (and the unused 0).
constexpr uint16_t kFirstDoor = 90;

} // namespace

uint16_t playerStartFor(int angle) {
    const int a = ((angle % 360) + 360) % 360;
    // Nearest quarter: 0 east, 1 north, 2 west, 3 south.
    static constexpr uint16_t kByQuarter[4] = {20, 19, 22, 21};
    return kByQuarter[((a + 45) / 90) % 4];
}

Status movePlayerStart(Level& level, const PlaySpot& spot) {
    if (spot.x < 0 || spot.y < 0 || spot.x >= kMapSide || spot.y >= kMapSide)
        return Error{"Play from here: the cell " + std::to_string(spot.x) + ", " +
                         std::to_string(spot.y) + " is not on the map.",
                     "Play level"};
    Plane& walls = level.planes[0];
    Plane& objects = level.planes[1];
    if (walls.size() != size_t(kPlaneWords) || objects.size() != size_t(kPlaneWords))
        return Error{"Play from here: the level has no object plane.", "Play level"};
    const size_t at = size_t(spot.y * kMapSide + spot.x);
    if (walls[at] < kFirstDoor)
        return Error{"Play from here: the cell " + std::to_string(spot.x) + ", " +
                         std::to_string(spot.y) + " is a wall.",
                     "Play level"};
    for (uint16_t& value : objects)
        if (value >= kPlayerStartNorth && value <= kPlayerStartWest)
            value = 0;
    objects[at] = playerStartFor(spot.angle);
    return {};
}

} // namespace zentrik
