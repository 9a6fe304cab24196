// Wall columns, doors, floors and ceilings: one ray per picture column.
#include "world/RayCasterInternal.h"

#include <algorithm>

namespace zentrik::raycast {

namespace {

bool inGrid(int x, int y) {
    return x >= 0 && y >= 0 && x < kMapSide && y < kMapSide;
}

// The ray's stepping state: the next vertical grid line and the y where the ray crosses it,
// the next horizontal line and the x where the ray crosses that. 64-bit, so that the steep
// steps near the axes never overflow.
struct Ray {
    int xs = 1, ys = 1; // tile steps
    int64_t yPerX = 0;  // |dy| per tile of x, 16.16
    int64_t xPerY = 0;  // |dx| per tile of y
    int64_t lineX = 0, yAtLineX = 0;
    int64_t lineY = 0, xAtLineY = 0;
    int cx = 0, cy = 0;
};

Ray startRay(const FrameState& s, int fine) {
    const auto& ft = s.t.fineTangent;
    Ray r;
    const int q = fine / kFineQuarter, b = fine % kFineQuarter;
    const int64_t tanB = ft[size_t(b)], cotB = ft[size_t(kFineQuarter - 1 - b)];
    r.xs = (q == 0 || q == 3) ? 1 : -1;
    r.ys = q < 2 ? -1 : 1;
    // In quadrants 0 and 2 the angle's tangent is |dy / dx|; in 1 and 3 its cotangent.
    r.yPerX = (q % 2 == 0) ? tanB : cotB;
    r.xPerY = (q % 2 == 0) ? cotB : tanB;
    r.cx = s.viewX >> 16;
    r.cy = s.viewY >> 16;
    r.lineX = int64_t(r.xs > 0 ? r.cx + 1 : r.cx) << 16;
    r.lineY = int64_t(r.ys > 0 ? r.cy + 1 : r.cy) << 16;
    const int64_t xPartial = (r.lineX - s.viewX) * r.xs, yPartial = (r.lineY - s.viewY) * r.ys;
    r.yAtLineX = s.viewY + r.ys * ((r.yPerX * xPartial) >> 16);
    r.xAtLineY = s.viewX + r.xs * ((r.xPerY * yPartial) >> 16);
    return r;
}

struct Hit {
    HitKind kind = HitKind::None;
    bool vertical = false;
    int64_t x = 0, y = 0; // where the ray met the face, 16.16
    int texture = -1;
    uint16_t frac = 0; // position along the face, 0..0xFFFF
    bool mirrored = false;
};

// A door's middle plane, half a step into its cell, when the ray reaches it inside the cell.
bool doorMiddle(const Ray& r, bool enteredVertical, bool doorVertical, Hit& h) {
    if (doorVertical) {
        const int64_t y =
            enteredVertical ? r.yAtLineX + r.ys * r.yPerX / 2 : r.yAtLineX - r.ys * r.yPerX / 2;
        if ((y >> 16) != r.cy)
            return false;
        h.x = (int64_t(r.cx) << 16) + 0x8000;
        h.y = y;
        h.frac = uint16_t(y & 0xFFFF);
        h.vertical = true;
        return true;
    }
    const int64_t x =
        enteredVertical ? r.xAtLineY - r.xs * r.xPerY / 2 : r.xAtLineY + r.xs * r.xPerY / 2;
    if ((x >> 16) != r.cx)
        return false;
    h.x = x;
    h.y = (int64_t(r.cy) << 16) + 0x8000;
    h.frac = uint16_t(x & 0xFFFF);
    h.vertical = false;
    return true;
}

int wallTexture(const FrameState& s, const Ray& r, uint8_t tile, bool vertical) {
    const WorldMap& map = *s.scene->map;
    if ((tile & kTilePushwall) == kTileDoorSide) {
        // The face toward a door shows that door's side texture.
        const int px = vertical ? r.cx - r.xs : r.cx, py = vertical ? r.cy : r.cy - r.ys;
        if (inGrid(px, py)) {
            const uint8_t from = map.tile(px, py);
            if ((from & kTilePushwall) == kTileDoor)
                return resolveWallTexture(map.doors()[from & 0x3F].sideTexture, s.scene->walls);
        }
    }
    const int value = tile & 0x3F;
    return resolveWallTexture(2 * (value - 1) + (vertical ? 1 : 0), s.scene->walls);
}

// Follows the ray from cell to cell until it meets a wall, a door's middle or the map's edge.
Hit trace(const FrameState& s, Ray& r, WorldFrame& f) {
    const WorldMap& map = *s.scene->map;
    Hit h;
    if (inGrid(r.cx, r.cy))
        f.visible.set(size_t(r.cx * kMapSide + r.cy));
    for (;;) {
        const bool vertical = r.ys > 0 ? r.yAtLineX < r.lineY : r.yAtLineX > r.lineY;
        if (vertical)
            r.cx += r.xs;
        else
            r.cy += r.ys;
        if (!inGrid(r.cx, r.cy))
            return h;
        f.visible.set(size_t(r.cx * kMapSide + r.cy));
        const uint8_t tile = map.tile(r.cx, r.cy);
        if ((tile & kTilePushwall) == kTileDoor) {
            const DoorDescription& door = map.doors()[tile & 0x3F];
            if (doorMiddle(r, vertical, door.vertical, h)) {
                h.kind = HitKind::Door;
                h.texture = resolveWallTexture(door.texture, s.scene->walls);
                return h;
            }
        } else if (tile != 0) {
            h.kind = (tile & kTilePushwall) == kTilePushwall ? HitKind::Pushwall
                     : (tile & kTileDoorSide)                ? HitKind::DoorSide
                                                             : HitKind::Wall;
            h.vertical = vertical;
            h.x = vertical ? r.lineX : r.xAtLineY;
            h.y = vertical ? r.yAtLineX : r.lineY;
            h.frac = uint16_t((vertical ? h.y : h.x) & 0xFFFF);
            h.mirrored = vertical ? r.xs < 0 : r.ys > 0;
            h.texture = wallTexture(s, r, tile, vertical);
            return h;
        }
        if (vertical) {
            r.lineX += r.xs * kTileGlobal;
            r.yAtLineX += r.ys * r.yPerX;
        } else {
            r.lineY += r.ys * kTileGlobal;
            r.xAtLineY += r.xs * r.xPerY;
        }
    }
}

void drawWall(const FrameState& s, const ColumnHit& c, uint8_t* px) {
    const size_t stride = size_t(s.g.width);
    const WallSet& walls = *s.scene->walls;
    const int side = walls.side;
    const uint8_t* src = walls.raw.data() + size_t(c.texture) * size_t(walls.textureBytes) +
                         size_t(c.texColumn) * size_t(side);
    const int rows = std::max(1, c.height / 4);
    const int top0 = s.g.centerRow - c.height / 8;
    const int32_t step = int32_t((int64_t(side) << 16) / rows);
    int32_t pos = (c.top - top0) * step;
    const bool hover = s.options->hoverWall == c.cellX * kMapSide + c.cellY;
    for (int r = c.top; r <= c.bottom; ++r, pos += step) {
        const int ty = std::min(side - 1, pos >> 16);
        uint8_t v = src[ty];
        if (hover && ((c.texColumn + ty) & 7) == 0)
            v = kHighlightColor;
        px[size_t(r) * stride] = v;
    }
}

} // namespace

void castColumns(const FrameState& s, WorldFrame& f) {
    const WallSet* walls = s.scene->walls;
    const int side = walls ? walls->side : kLowSide;
    const int center = s.g.centerRow;
    for (int col = 0; col < s.g.width; ++col) {
        ColumnHit& c = f.columns[size_t(col)];
        c = ColumnHit{};
        c.top = int16_t(center);
        c.bottom = int16_t(center - 1);
        int fine = (s.viewFine + s.g.pixelAngle[size_t(col)]) % kFineAngles;
        if (fine < 0)
            fine += kFineAngles;
        Ray r = startRay(s, fine);
        const Hit h = s.scene->map && s.scene->map->loaded() ? trace(s, r, f) : Hit{};
        if (h.kind != HitKind::None) {
            int32_t depth = int32_t(fixedMul(int32_t(h.x - s.viewX), s.viewCos) -
                                    fixedMul(int32_t(h.y - s.viewY), s.viewSin));
            depth = std::max(depth, kMinDistance);
            c.kind = h.kind;
            c.verticalFace = h.vertical;
            c.cellX = uint8_t(r.cx);
            c.cellY = uint8_t(r.cy);
            c.depth = depth;
            c.height = s.g.heightNumerator / (depth >> 8);
            c.texture = int16_t(h.texture);
            const int tc = (h.frac * side) >> 16;
            c.texColumn = uint8_t(h.mirrored ? side - 1 - tc : tc);
            const int half = c.height / 8;
            c.top = int16_t(std::max(0, center - half));
            c.bottom = int16_t(std::min(s.g.height - 1, center - half + c.height / 4 - 1));
        }
    }
    drawFlats(s, f);
    for (int col = 0; col < s.g.width; ++col)
        if (f.columns[size_t(col)].kind != HitKind::None && f.columns[size_t(col)].texture >= 0)
            drawWall(s, f.columns[size_t(col)], f.pixels.data() + col);
}

} // namespace zentrik::raycast
