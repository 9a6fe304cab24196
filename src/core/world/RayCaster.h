#pragma once

#include "imaging/Palette.h"
#include "pagefile/PageFile.h"
#include "world/SymbolStrip.h"
#include "world/WorldFrame.h"
#include "world/WorldMap.h"

#include <array>
#include <cstdint>

namespace zentrik {

// The plane-0 symbols in palette indices, for the floor symbols. Rebuilt whenever the palette
// or the symbol strip changes.
class FloorSymbolColors {
public:
    void rebuild(const SymbolStrip& strip, const GamePalette& palette);
    uint8_t at(uint16_t value, int sx, int sy) const {
        return m_colors[size_t(value % kPlane0Symbols) * 49 + size_t(sy * 7 + sx)];
    }

private:
    std::array<uint8_t, size_t(kPlane0Symbols) * 49> m_colors{};
};

enum class FloorMode : uint8_t { None = 0, Colors = 1, SingleTexture = 2, PlaneTextures = 3 };

// Palette indices the view uses of its own.
inline constexpr uint8_t kBackgroundColor = 25;
inline constexpr uint8_t kMissingTextureColor = 183;
inline constexpr uint8_t kHighlightColor = 34;
inline constexpr uint8_t kOutlineColor = 15;
inline constexpr uint8_t kDirectionMarkColor = 14;

struct RenderOptions {
    FloorMode floorMode = FloorMode::None;
    bool floorSymbols = false;
    bool hideDirectionMarks = false;
    int hoverWall = -1; // cell x * 64 + y of the wall under the mouse, -1 for none
    int hoverCell = -1; // floor or ceiling cell under the mouse, -1 for none
    bool hoverCeiling = false;
};

// What a frame is drawn from; any of the pointers may be null (nothing loaded).
struct RenderScene {
    const WorldMap* map = nullptr;
    const WallSet* walls = nullptr;
    const SpriteSet* sprites = nullptr;
    const FloorSymbolColors* symbols = nullptr;
};

// Draws one frame of the ray caster into `frame`.
void renderFrame(const RenderScene& scene, const ViewerPose& pose, const RenderOptions& options,
                 WorldFrame& frame);

// Stand-in walls until a page file is loaded: the plane-0 symbols blown up to 64 x 64, so
// that wall value v shows its own symbol on both faces, and the last eight pages (which the
// door rows count back to) the door symbols.
WallSet symbolWalls(const FloorSymbolColors& colors);

// A wall page number of the door table (negative counts back from the end of the walls);
// -1 when it is not a loaded wall.
int resolveWallTexture(int texture, const WallSet* walls);

} // namespace zentrik
