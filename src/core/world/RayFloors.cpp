// Floors and ceilings, row by row: along one picture row the floor lies at one distance, so its
// map point moves by the same step from column to column. The walls are then drawn over them
// column by column.
#include "world/RayCasterInternal.h"

#include <algorithm>
#include <cstring>

namespace zentrik::raycast {

namespace {

const uint8_t* page(const WallSet* walls, int t) {
    const int r = resolveWallTexture(t, walls);
    return r < 0 ? nullptr : walls->raw.data() + size_t(r) * size_t(walls->textureBytes);
}

void fillFlatTextures(const FrameState& s, WorldFrame::Scratch& out) {
    const WorldMap& map = *s.scene->map;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t v = s.perCellFlats ? map.plane2(x, y) : 0;
            const size_t i = size_t(y * kMapSide + x);
            out.floor[i] = s.perCellFlats ? page(s.scene->walls, v & 0xFF)
                                          : page(s.scene->walls, s.floorTexture);
            out.ceiling[i] = s.perCellFlats ? page(s.scene->walls, v >> 8)
                                            : page(s.scene->walls, s.ceilingTexture);
        }
}

// The rows each column leaves to the ceiling (above) and the floor (from).
void openRows(const FrameState& s, WorldFrame& f) {
    const int16_t open = int16_t(s.g.centerRow + 1);
    for (int c = 0; c < s.g.width; ++c) {
        const ColumnHit& h = f.columns[size_t(c)];
        const bool wall = h.kind != HitKind::None && h.texture >= 0;
        f.scratch.ceilingEnd[size_t(c)] = wall ? h.top : open;
        f.scratch.floorStart[size_t(c)] = wall ? int16_t(h.bottom + 1) : open;
    }
}

void fillRows(WorldFrame& f, int from, int to, uint8_t v) {
    const size_t stride = size_t(f.width());
    if (to > from)
        std::memset(f.pixels.data() + size_t(from) * stride, v, size_t(to - from) * stride);
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
    s.floorTexture = corner & 0xFF;
    s.ceilingTexture = corner >> 8;
    if (o.floorSymbols && loaded)
        s.floorColor = 0;
}

void drawFlats(const FrameState& s, WorldFrame& f) {
    const bool symbols =
        s.options->floorSymbols && s.scene->symbols && s.scene->map && s.scene->map->loaded();
    const ViewGeometry& g = s.g;
    fillRows(f, 0, g.centerRow + 1, s.ceilingColor);
    fillRows(f, g.centerRow + 1, g.height, s.floorColor);
    if (!s.texturedFlats && !symbols)
        return;
    WorldFrame::Scratch& scratch = f.scratch;
    if (s.texturedFlats)
        fillFlatTextures(s, scratch);
    openRows(s, f);
    // Locals, so that the stores into the picture's bytes need not reload them.
    const int16_t* ceilingEnd = scratch.ceilingEnd.data();
    const int16_t* floorStart = scratch.floorStart.data();
    const int width = g.width;
    const WorldMap& map = *s.scene->map;
    const int side = s.scene->walls ? s.scene->walls->side : kLowSide;
    // The map point of column c on the row at distance z: view point + z (D0 + c dD), where D is
    // the column's ray direction scaled to unit depth; 32.32 so the steps add up exactly.
    const int64_t d0x = s.viewCos - int64_t(s.viewSin) * (g.width - 1) / (2 * g.scale);
    const int64_t d0y = -s.viewSin - int64_t(s.viewCos) * (g.width - 1) / (2 * g.scale);
    const int64_t ddx = int64_t(s.viewSin) * 65536 / g.scale,
                  ddy = int64_t(s.viewCos) * 65536 / g.scale;
    constexpr int64_t kEnd = int64_t(kMapSide) << 16;
    const size_t stride = size_t(width);
    for (int k = 0; k <= g.height - 1 - g.centerRow; ++k) {
        const int cr = g.centerRow - k, fr = g.centerRow + k;
        const int64_t z = g.rowDistance[size_t(std::max(k, 1))];
        int64_t x = (int64_t(s.viewX) << 16) + z * d0x, y = (int64_t(s.viewY) << 16) + z * d0y;
        const int64_t sx = z * ddx >> 16, sy = z * ddy >> 16;
        // An even height has one floor row more than ceiling rows.
        const bool ceilings = s.texturedFlats && cr >= 0;
        uint8_t* ceilingRow = f.pixels.data() + size_t(std::max(cr, 0)) * stride;
        uint8_t* floorRow = f.pixels.data() + size_t(fr) * stride;
        for (int c = 0; c < width; ++c, x += sx, y += sy) {
            const bool ceiling = ceilings && cr < ceilingEnd[size_t(c)];
            const bool floor = k > 0 && fr >= floorStart[size_t(c)];
            if (!ceiling && !floor)
                continue;
            const int64_t px = x >> 16, py = y >> 16;
            if (px < 0 || py < 0 || px >= kEnd || py >= kEnd) {
                if (ceiling)
                    ceilingRow[c] = kBackgroundColor;
                if (floor)
                    floorRow[c] = symbols ? 0 : kBackgroundColor;
                continue;
            }
            const size_t cell = size_t((py >> 16) * kMapSide + (px >> 16));
            const size_t texel =
                size_t((((px & 0xFFFF) * side) >> 16) * side + (((py & 0xFFFF) * side) >> 16));
            if (ceiling) {
                const uint8_t* t = scratch.ceiling[cell];
                ceilingRow[c] = t ? t[texel] : kMissingTextureColor;
            }
            if (!floor)
                continue;
            if (symbols)
                floorRow[c] = s.scene->symbols->at(map.plane0(int(px >> 16), int(py >> 16)),
                                                   int(((px & 0xFFFF) * 7) >> 16),
                                                   int(((py & 0xFFFF) * 7) >> 16));
            else {
                const uint8_t* t = scratch.floor[cell];
                floorRow[c] = t ? t[texel] : kMissingTextureColor;
            }
        }
    }
}

} // namespace zentrik::raycast
