#pragma once

#include "check/LevelCheck.h"
#include "pagefile/PageFile.h"

#include <cstdint>
#include <vector>

namespace zentrik {

inline constexpr int kDefaultPictureCell = 16;
inline constexpr int kMinPictureCell = 2;
inline constexpr int kMaxPictureCell = 64;
inline constexpr int kLegendLineHeight = 16;
inline constexpr int kMaxLegendLines = 64;

// Palette indices of the picture's own marks (the game palette's).
inline constexpr uint8_t kPictureFloor = 25; // the 3D view's floor grey
inline constexpr uint8_t kPictureVoid = 0;
inline constexpr uint8_t kPictureMissingArt = 8;
inline constexpr uint8_t kPictureStart = 10;
inline constexpr uint8_t kPicturePushwall = 14;
inline constexpr uint8_t kPictureArrow = 7;
inline constexpr uint8_t kPictureText = 15;
inline constexpr uint8_t kPictureError = 32;
inline constexpr uint8_t kPictureWarning = 14;
inline constexpr uint8_t kPictureInfo = 11;

struct LevelPictureOptions {
    int cell = kDefaultPictureCell; // pixels a cell
    int skill = kSkills;            // actors of this menu skill (1..4)
    // Marked on their cells, with a legend below the map; none when empty.
    std::vector<LevelProblem> problems;
};

// The level from above in palette indices, top row first: walls with their north face's
// texture, doors with their face, floor grey, objects with their sprites.
struct LevelPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

LevelPicture renderLevelPicture(const Level& level, const SymbolSet& symbols, const WallSet& walls,
                                const SpriteSet& sprites, const LevelPictureOptions& options);

// The colour that marks a problem of this severity.
uint8_t problemColor(Severity s);

} // namespace zentrik
