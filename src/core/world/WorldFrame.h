#pragma once

#include "maps/LevelSet.h"
#include "world/ViewTables.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace zentrik {

// Where the viewer stands: 16.16 tiles, whole degrees (0 looks along +x, 90 along -y).
struct ViewerPose {
    int32_t x = 1915877, y = 3763745;
    int angle = 0;
};

enum class HitKind : uint8_t { None, Wall, DoorSide, Door, Pushwall };

// What one column of the picture shows: the data picking and the tests read.
struct ColumnHit {
    HitKind kind = HitKind::None;
    bool verticalFace = false; // the ray crossed a vertical grid line (x = const)
    uint8_t cellX = 0, cellY = 0;
    int32_t depth = 0;    // 16.16, from the view point, at least the minimum distance
    int32_t height = 0;   // in eighth pixels: the span is height / 4 rows; 0 for no hit
    int16_t texture = -1; // wall page drawn, -1 when it is not loaded
    uint8_t texColumn = 0;
    int16_t top = kCenterRow, bottom = kCenterRow - 1; // rows of the span, clipped
};

inline constexpr int kMaxSprites = 250;

struct SpriteSlot {
    int16_t screenX = 0;
    int32_t height = 0;
    uint16_t sprite = 0;
};

// One picture of palette indices, top row first, and its per-column data, 600 x 375 unless
// resized. Made once per size; drawing a frame into it allocates nothing.
struct WorldFrame {
    ViewGeometry geometry = ViewGeometry::forSize(kViewWidth, kViewHeight);
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(kViewPixels), 0);
    std::vector<ColumnHit> columns = std::vector<ColumnHit>(size_t(kViewWidth));
    std::bitset<kPlaneWords> visible; // cells crossed by a ray, index x * 64 + y
    std::array<SpriteSlot, kMaxSprites> sprites{};
    int spriteCount = 0;
    // Working space of the floor drawing, kept here so that a frame allocates nothing.
    struct Scratch {
        std::array<const uint8_t*, kPlaneWords> floor{}, ceiling{}; // texture of each cell
        std::vector<int16_t> ceilingEnd = std::vector<int16_t>(size_t(kViewWidth));
        std::vector<int16_t> floorStart = std::vector<int16_t>(size_t(kViewWidth));
    } scratch;

    int width() const { return geometry.width; }
    int height() const { return geometry.height; }
    uint8_t at(int x, int y) const { return pixels[size_t(y * geometry.width + x)]; }
    // A new picture size (kept within 1..kMaxViewSide); the pixels are cleared. Nothing
    // happens when the size stays.
    void resize(int w, int h) {
        w = std::clamp(w, 1, kMaxViewSide);
        h = std::clamp(h, 1, kMaxViewSide);
        if (w == geometry.width && h == geometry.height)
            return;
        geometry = ViewGeometry::forSize(w, h);
        pixels.assign(size_t(geometry.width) * size_t(geometry.height), 0);
        columns.assign(size_t(geometry.width), ColumnHit{});
        scratch.ceilingEnd.assign(size_t(geometry.width), 0);
        scratch.floorStart.assign(size_t(geometry.width), 0);
    }
};

} // namespace zentrik
