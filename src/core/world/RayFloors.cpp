// One picture column below and above its wall: the wall's texels, then flat colours or floor
// and ceiling textures sampled where the column's ray meets the floor at each row's distance.
#include "world/RayCasterInternal.h"

#include <algorithm>

namespace zentrik::raycast {

namespace {

int textureOrNone(int t, const WallSet* walls) {
    return walls && t < walls->count() ? t : -1;
}

void drawWall(const FrameState& s, const ColumnHit& c, uint8_t* px) {
    const WallSet& walls = *s.scene->walls;
    const int side = walls.side;
    const uint8_t* src = walls.raw.data() + size_t(c.texture) * size_t(walls.textureBytes) +
                         size_t(c.texColumn) * size_t(side);
    const int rows = std::max(1, c.height / 4);
    const int top0 = kCenterRow - c.height / 8;
    const int32_t step = int32_t((int64_t(side) << 16) / rows);
    int32_t pos = (c.top - top0) * step;
    const bool hover = s.options->hoverWall == c.cellX * kMapSide + c.cellY;
    for (int r = c.top; r <= c.bottom; ++r, pos += step) {
        const int ty = std::min(side - 1, pos >> 16);
        uint8_t v = src[ty];
        if (hover && ((c.texColumn + ty) & 7) == 0)
            v = kHighlightColor;
        px[size_t(r) * kViewWidth] = v;
    }
}

uint8_t texel(const WallSet& walls, int texture, int64_t x, int64_t y) {
    const int side = walls.side;
    const int tx = int(((x & 0xFFFF) * side) >> 16), ty = int(((y & 0xFFFF) * side) >> 16);
    return walls.raw[size_t(texture) * size_t(walls.textureBytes) + size_t(tx * side + ty)];
}

} // namespace

void prepareFlats(FrameState& s) {
    const RenderOptions& o = *s.options;
    const WorldMap* map = s.scene->map;
    const bool loaded = map && map->loaded();
    FloorMode mode = loaded ? o.floorMode : FloorMode::None;
    // The per-cell textures live in the third plane; without it the view has no floors.
    if (mode == FloorMode::PlaneTextures && !map->hasThirdPlane())
        mode = FloorMode::None;
    const uint16_t corner = loaded ? map->plane0(0, 0) : 0;
    s.floorColor = s.ceilingColor = kBackgroundColor;
    s.texturedFlats = mode == FloorMode::SingleTexture || mode == FloorMode::PlaneTextures;
    s.perCellFlats = mode == FloorMode::PlaneTextures;
    if (mode == FloorMode::Colors) {
        s.floorColor = uint8_t(corner & 0xFF);
        s.ceilingColor = uint8_t(corner >> 8);
    }
    s.floorTexture = textureOrNone(corner & 0xFF, s.scene->walls);
    s.ceilingTexture = textureOrNone(corner >> 8, s.scene->walls);
    if (o.floorSymbols)
        s.floorColor = 0;
}

void drawColumn(const FrameState& s, int col, WorldFrame& f) {
    const ColumnHit& c = f.columns[size_t(col)];
    uint8_t* px = f.pixels.data() + col;
    const bool wall = c.kind != HitKind::None && c.texture >= 0;
    if (wall)
        drawWall(s, c, px);
    const int ceilingEnd = wall ? c.top : kCenterRow + 1;
    const int floorStart = wall ? c.bottom + 1 : kCenterRow + 1;
    const bool symbols = s.options->floorSymbols && s.scene->symbols && s.scene->map;
    if (!s.texturedFlats && !symbols) {
        for (int r = 0; r < ceilingEnd; ++r)
            px[size_t(r) * kViewWidth] = s.ceilingColor;
        for (int r = floorStart; r < kViewHeight; ++r)
            px[size_t(r) * kViewWidth] = s.floorColor;
        return;
    }
    if (!s.texturedFlats)
        for (int r = 0; r < ceilingEnd; ++r)
            px[size_t(r) * kViewWidth] = s.ceilingColor;
    const int32_t lateral = ((2 * col - (kViewWidth - 1)) * 32768) / kScale;
    const int64_t dx = s.viewCos + fixedMul(lateral, s.viewSin);
    const int64_t dy = -s.viewSin + fixedMul(lateral, s.viewCos);
    const WorldMap& map = *s.scene->map;
    const WallSet* walls = s.scene->walls;
    const int lastK = kViewHeight - 1 - kCenterRow;
    for (int k = 0; k <= lastK; ++k) {
        const int cr = kCenterRow - k, fr = kCenterRow + k;
        const bool drawCeiling = s.texturedFlats && cr < ceilingEnd && cr >= 0;
        const bool drawFloor = k > 0 && fr >= floorStart;
        if (!drawCeiling && !drawFloor)
            continue;
        const int64_t z = s.t.rowDistance[size_t(std::max(k, 1))];
        const int64_t x = s.viewX + ((z * dx) >> 16), y = s.viewY + ((z * dy) >> 16);
        const bool inside =
            x >= 0 && y >= 0 && x < (int64_t(kMapSide) << 16) && y < (int64_t(kMapSide) << 16);
        const int cx = inside ? int(x >> 16) : 0, cy = inside ? int(y >> 16) : 0;
        int floorTex = s.floorTexture, ceilingTex = s.ceilingTexture;
        if (s.perCellFlats) {
            const uint16_t v = inside ? map.plane2(cx, cy) : 0;
            floorTex = textureOrNone(v & 0xFF, walls);
            ceilingTex = textureOrNone(v >> 8, walls);
        }
        if (drawCeiling)
            px[size_t(cr) * kViewWidth] = !inside          ? kBackgroundColor
                                          : ceilingTex < 0 ? kMissingTextureColor
                                                           : texel(*walls, ceilingTex, x, y);
        if (!drawFloor)
            continue;
        uint8_t v = s.floorColor;
        if (symbols)
            v = inside ? s.scene->symbols->at(map.plane0(cx, cy), int(((x & 0xFFFF) * 7) >> 16),
                                              int(((y & 0xFFFF) * 7) >> 16))
                       : 0;
        else if (inside)
            v = floorTex < 0 ? kMissingTextureColor : texel(*walls, floorTex, x, y);
        else
            v = kBackgroundColor;
        px[size_t(fr) * kViewWidth] = v;
    }
}

} // namespace zentrik::raycast
