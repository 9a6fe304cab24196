#pragma once

#include "maps/LevelSet.h"
#include "world/SymbolStrip.h"
#include "world/WorldFrame.h"

#include <array>
#include <cstdint>

namespace zentrik {

// The minimap: the 16 x 16 tiles round the 3D view's viewer, 7 pixels a tile, in the map
// symbols' 5-5-5 colours, with the viewer's position and direction.
inline constexpr int kMinimapSide = 112;
inline constexpr int kMinimapTiles = 16;
inline constexpr uint16_t kMinimapWhite = 0x7FFF;

using MinimapPicture = std::array<uint16_t, kMinimapSide * kMinimapSide>;

// The first tile shown and how many pixels of it are scrolled off, on each axis.
struct MinimapWindow {
    int originX = 0, originY = 0;
    int offsetX = 0, offsetY = 0;
    bool operator==(const MinimapWindow&) const = default;
};

MinimapWindow minimapWindow(const ViewerPose& pose);

// Draws the level's walls and objects (black without a level) and the viewer's marks.
void renderMinimap(const Level* level, const SymbolStrip& strip, const ViewerPose& pose,
                   MinimapPicture& out);

// The picture pixel of the viewer's position (where its mark is drawn).
void minimapViewerPixel(const ViewerPose& pose, int& px, int& py);
// The map position (16.16 tiles) under picture pixel (px, py).
void minimapPoint(const MinimapWindow& w, int px, int py, int32_t& x, int32_t& y);
// The whole-degree angle from the viewer toward picture pixel (px, py); the pose's own angle
// when the pixel is the viewer's.
int minimapAngleTo(const ViewerPose& pose, int px, int py);

// When a held button repeats its action: the left button moves the viewer again after more
// than 4 pixels or more than 20 ms, the right button turns it again after 5 pixels or 21 ms.
bool minimapRepeats(bool leftButton, int dx, int dy, uint32_t elapsedMs);

} // namespace zentrik
