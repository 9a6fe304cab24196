// What stands or lies in the cells: sprites scaled by distance and hidden behind nearer wall
// columns, direction arrows and the hovered cell's outline lying on the floor or ceiling.
#include "world/RayCasterInternal.h"

#include <algorithm>
#include <cmath>

namespace zentrik::raycast {

namespace {

constexpr int32_t kSpriteBack = 8192; // sprites stand a little behind their cell centre

// The frame of an actor that faces the viewer from where it stands, from the direction the
// viewer sees it in (fine angle of its column) and its own facing (eighths of a turn).
int rotationFrame(int viewToThing, int direction) {
    const int toViewer = (viewToThing / 10 + 180) % 360;
    const int rel = ((toViewer - direction * 45 + 22) % 360 + 360) % 360;
    return rel / 45;
}

void addSprite(const FrameState& s, WorldFrame& f, const WorldThing& t) {
    const int32_t gx = (int32_t(t.x) << 16) + 0x8000 - s.viewX;
    const int32_t gy = (int32_t(t.y) << 16) + 0x8000 - s.viewY;
    const int32_t depth = fixedMul(gx, s.viewCos) - fixedMul(gy, s.viewSin) - kSpriteBack;
    if (depth < kMinDistance)
        return;
    const int32_t lateral = fixedMul(gx, s.viewSin) + fixedMul(gy, s.viewCos);
    const ViewGeometry& g = s.g;
    const int64_t sx = int64_t(lateral) * g.scale / depth + g.halfView;
    if (sx < -g.width || sx > 2 * g.width)
        return;
    SpriteSlot slot{int16_t(sx), g.heightNumerator / (depth >> 8), t.sprite};
    if (t.kind == ThingKind::Actor) {
        const int col = std::clamp(int(sx), 0, g.width - 1);
        const int fine = s.viewFine + g.pixelAngle[size_t(col)] + kFineAngles;
        slot.sprite = uint16_t(t.sprite + rotationFrame(fine % kFineAngles, t.direction));
    }
    // A full list keeps taking sprites in its last entry.
    const int i = std::min(f.spriteCount, kMaxSprites - 1);
    f.sprites[size_t(i)] = slot;
    f.spriteCount = i + 1;
}

void drawSprite(const SpriteSlot& slot, const SpriteSet& sprites, WorldFrame& f) {
    if (slot.sprite >= sprites.count() || !sprites.images[slot.sprite])
        return;
    const IndexedImage& img = *sprites.images[slot.sprite];
    const int side = img.side;
    if (side <= 0 || img.pixels.size() < size_t(side) * size_t(side))
        return;
    const int size = std::max(1, slot.height / 4);
    const ViewGeometry& g = f.geometry;
    const int left = slot.screenX - size / 2, top = g.centerRow - slot.height / 8;
    const int c0 = std::max(0, left), c1 = std::min(g.width - 1, left + size - 1);
    const int r0 = std::max(0, top), r1 = std::min(g.height - 1, top + size - 1);
    const int32_t step = int32_t((int64_t(side) << 16) / size);
    for (int c = c0; c <= c1; ++c) {
        if (f.columns[size_t(c)].height > slot.height)
            continue; // the wall in this column is nearer
        const int tx = int(int64_t(c - left) * side / size);
        // Texel row ty of column tx lies at (side - 1 - ty) * side + tx: bottom row first.
        const uint8_t* column = img.pixels.data() + tx;
        int first = 0, last = side - 1; // rows of the column that hold any pixel
        while (first <= last && column[size_t(side - 1 - first) * size_t(side)] == TransparentIndex)
            ++first;
        while (last >= first && column[size_t(side - 1 - last) * size_t(side)] == TransparentIndex)
            --last;
        if (first > last)
            continue;
        const int from = std::max(r0, top + int((int64_t(first) * size) / side));
        const int to = std::min(r1, top + int((int64_t(last + 1) * size + side - 1) / side));
        int32_t pos = int32_t((from - top) * int64_t(step));
        uint8_t* out = f.pixels.data() + c;
        for (int r = from; r <= to; ++r, pos += step) {
            const int ty = std::min(side - 1, pos >> 16);
            const uint8_t v = column[size_t(side - 1 - ty) * size_t(side)];
            if (v != TransparentIndex)
                out[size_t(r) * size_t(g.width)] = v;
        }
    }
}

struct Point {
    double x, y;
};

// Liang-Barsky: cuts the segment to the picture; false when nothing of it is inside.
bool clipToPicture(const ViewGeometry& g, double& x0, double& y0, double& x1, double& y1) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, g.width - 1 - x0, y0, g.height - 1 - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1 || !std::isfinite(t0) || !std::isfinite(t1))
        return false;
    const double ax = x0, ay = y0;
    x0 = ax + t0 * dx;
    y0 = ay + t0 * dy;
    x1 = ax + t1 * dx;
    y1 = ay + t1 * dy;
    return true;
}

// A segment lying on the floor (or the ceiling), in tiles, clipped to the minimum distance
// and the picture, drawn only where the column shows floor (or ceiling) at that row.
void floorSegment(const FrameState& s, WorldFrame& f, Point a, Point b, bool ceiling,
                  uint8_t color) {
    const double vx = s.viewX / 65536.0, vy = s.viewY / 65536.0;
    const double cs = s.viewCos / 65536.0, sn = s.viewSin / 65536.0;
    auto depthOf = [&](Point p) { return (p.x - vx) * cs - (p.y - vy) * sn; };
    const double minDepth = kMinDistance / 65536.0;
    double da = depthOf(a), db = depthOf(b);
    if (da < minDepth && db < minDepth)
        return;
    if (da < minDepth || db < minDepth) {
        const double t = (minDepth - da) / (db - da);
        const Point m{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        (da < minDepth ? a : b) = m;
        (da < minDepth ? da : db) = minDepth;
    }
    auto project = [&](Point p, double depth, double& sx, double& row) {
        const double lateral = (p.x - vx) * sn + (p.y - vy) * cs;
        sx = s.g.halfView + lateral * s.g.scale / depth;
        const double half = s.g.heightNumerator / (depth * 256) / 8;
        row = ceiling ? s.g.centerRow - half : s.g.centerRow + half;
    };
    double x0, y0, x1, y1;
    project(a, da, x0, y0);
    project(b, db, x1, y1);
    if (!clipToPicture(s.g, x0, y0, x1, y1))
        return;
    const double steps = std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)));
    for (int i = 0; i <= int(steps); ++i) {
        const double t = steps > 0 ? i / steps : 0;
        const int c = int(std::lround(x0 + (x1 - x0) * t)),
                  r = int(std::lround(y0 + (y1 - y0) * t));
        if (c < 0 || c >= s.g.width || r < 0 || r >= s.g.height)
            continue;
        const ColumnHit& h = f.columns[size_t(c)];
        const bool open =
            h.kind == HitKind::None || h.texture < 0 || (ceiling ? r < h.top : r > h.bottom);
        if (open)
            f.pixels[size_t(r * s.g.width + c)] = color;
    }
}

void directionMark(const FrameState& s, WorldFrame& f, const WorldThing& t) {
    const double a = t.direction * 45 * 3.14159265358979 / 180;
    const Point c{t.x + 0.5, t.y + 0.5}, d{std::cos(a), -std::sin(a)};
    const Point tip{c.x + 0.35 * d.x, c.y + 0.35 * d.y};
    floorSegment(s, f, {c.x - 0.35 * d.x, c.y - 0.35 * d.y}, tip, false, kDirectionMarkColor);
    for (double turn : {2.5, -2.5}) {
        const Point h{std::cos(a + turn), -std::sin(a + turn)};
        floorSegment(s, f, tip, {tip.x + 0.2 * h.x, tip.y + 0.2 * h.y}, false, kDirectionMarkColor);
    }
}

} // namespace

void drawThings(const FrameState& s, WorldFrame& f) {
    const WorldMap* map = s.scene->map;
    if (!map || !map->loaded())
        return;
    for (const WorldThing& t : map->things()) {
        if (!f.visible.test(size_t(t.x * kMapSide + t.y)))
            continue;
        if (t.kind == ThingKind::DirectionMark) {
            if (!s.options->hideDirectionMarks)
                directionMark(s, f, t);
        } else
            addSprite(s, f, t);
    }
    // Far to near, so nearer sprites cover farther ones.
    std::sort(f.sprites.begin(), f.sprites.begin() + f.spriteCount,
              [](const SpriteSlot& a, const SpriteSlot& b) { return a.height < b.height; });
    if (s.scene->sprites)
        for (int i = 0; i < f.spriteCount; ++i)
            drawSprite(f.sprites[size_t(i)], *s.scene->sprites, f);
}

void drawHoverOutline(const FrameState& s, WorldFrame& f) {
    const int cell = s.options->hoverCell;
    if (cell < 0 || cell >= kPlaneWords || !s.scene->map || !s.scene->map->loaded())
        return;
    const double x = cell / kMapSide, y = cell % kMapSide;
    const Point p[4] = {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}};
    for (int i = 0; i < 4; ++i)
        floorSegment(s, f, p[i], p[(i + 1) % 4], s.options->hoverCeiling, kOutlineColor);
}

} // namespace zentrik::raycast
