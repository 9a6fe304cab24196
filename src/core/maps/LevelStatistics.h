#pragma once

#include "maps/LevelSet.h"
#include "world/ObjectDescriptions.h"

#include <array>

namespace zentrik {

struct StatColor {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const StatColor&) const = default;
};
inline constexpr StatColor kStatGood{0, 150, 0};
inline constexpr StatColor kStatBad{255, 0, 0};

// Limits past which the game's engine runs out of room.
inline constexpr int kMaxStatics = 400;
inline constexpr int kMaxGuards = 150;
inline constexpr int kMaxDoors = 64;

// The counts of the map page's statistics panel for one level.
struct LevelStatistics {
    int statics = 0;
    int ammo = 0;   // statics with a non-zero flag
    int shoots = 0; // the sum of their flags
    int players = 0;
    int bosses = 0;
    int guards = 0;                    // actors and bosses
    std::array<int, 6> byDifficulty{}; // actors by difficulty byte 1..5 (index 0 unused)
    int directionMarks = 0;
    int secrets = 0; // pushwall markers
    int objects = 0; // every object of types 1 to 6
    int doors = 0;

    StatColor staticsColor() const { return statics <= kMaxStatics ? kStatGood : kStatBad; }
    StatColor playersColor() const { return players == 1 ? kStatGood : kStatBad; }
    StatColor guardsColor() const { return guards <= kMaxGuards ? kStatGood : kStatBad; }
    StatColor doorsColor() const { return doors <= kMaxDoors ? kStatGood : kStatBad; }
};

LevelStatistics countLevel(const Level& level, const ObjectDescriptionTable& table);

} // namespace zentrik
