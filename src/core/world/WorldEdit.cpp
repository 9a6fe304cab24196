#include "world/WorldEdit.h"

#include <cmath>
#include <numbers>

namespace zentrik {

namespace {

bool hasPlanes(const Level& level) {
    return level.planes[0].size() == size_t(kPlaneWords) &&
           level.planes[1].size() == size_t(kPlaneWords);
}

bool inMap(int x, int y) {
    return x >= 0 && y >= 0 && x < kMapSide && y < kMapSide;
}

void write(Level& level, int plane, int index, uint16_t value, CellChanges& out) {
    uint16_t& word = level.planes[size_t(plane)][size_t(index)];
    if (word == value)
        return;
    out.push_back({uint8_t(plane), uint16_t(index), word, value});
    word = value;
}

} // namespace

WorldPick pickAt(const WorldFrame& frame, const ViewerPose& pose, int px, int py) {
    const ViewGeometry& g = frame.geometry;
    if (px < 0 || py < 0 || px >= g.width || py >= g.height)
        return {};
    const ColumnHit& c = frame.columns[size_t(px)];
    if (c.kind != HitKind::None && py >= c.top && py <= c.bottom)
        return {PickKind::Wall, c.cellX, c.cellY};
    const bool floor = py > g.centerRow;
    // The rows' distances at the pixel's centre, in eighths of a row from the centre row's
    // middle; the centre row itself lies on the horizon, where the ceiling's divisor is
    // negative: a point behind the viewer, so nothing.
    const double divisor = floor ? 8.0 * (py - g.centerRow) - 4 : 8.0 * (g.centerRow - py) - 4;
    if (divisor <= 0)
        return {};
    const int angle = ((pose.angle % 360) + 360) % 360;
    const double rel = g.pixelAngle[size_t(px)] * 2 * std::numbers::pi / kFineAngles;
    const double ray = angle * std::numbers::pi / 180 + rel;
    const double cosRel = std::cos(rel);
    if (cosRel <= 0)
        return {};
    const double distance = double(g.heightNumerator) * 256 / divisor / cosRel;
    const double vx = pose.x - kFocalLength * std::cos(angle * std::numbers::pi / 180);
    const double vy = pose.y + kFocalLength * std::sin(angle * std::numbers::pi / 180);
    const double x = (vx + distance * std::cos(ray)) / 65536;
    const double y = (vy - distance * std::sin(ray)) / 65536;
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || y < 0 || x >= kMapSide || y >= kMapSide)
        return {};
    return {floor ? PickKind::Floor : PickKind::Ceiling, int(x), int(y)};
}

CellChanges placeWall(Level& level, const WorldMap& map, const ObjectDescriptionTable& objects,
                      int x, int y, uint16_t value, const WorldEditRules& rules) {
    CellChanges out;
    if (!hasPlanes(level) || !inMap(x, y))
        return out;
    const uint8_t tile = map.tile(x, y);
    if (rules.lockDoors && (tile & kTilePushwall) == kTileDoor)
        return out;
    const int i = y * kMapSide + x;
    write(level, 0, i, value, out);
    const bool wall = value >= 1 && value <= kMaxWallValue && !objects.floorCodes.count(value);
    if (wall && !rules.lockPushwalls && objects.pushwalls.count(level.planes[1][size_t(i)]))
        write(level, 1, i, 0, out);
    return out;
}

CellChanges placeObject(Level& level, int x, int y, uint16_t value) {
    CellChanges out;
    if (hasPlanes(level) && inMap(x, y))
        write(level, 1, y * kMapSide + x, value, out);
    return out;
}

CellChanges setFlatByte(Level& level, FloorMode mode, int x, int y, bool ceiling, uint8_t value) {
    CellChanges out;
    if (!hasPlanes(level) || !inMap(x, y))
        return out;
    int plane = 0, index = 0;
    if (mode == FloorMode::PlaneTextures) {
        if (level.planes[2].size() != size_t(kPlaneWords))
            return out;
        plane = 2;
        index = y * kMapSide + x;
    } else if (mode == FloorMode::None)
        return out;
    const uint16_t word = level.planes[size_t(plane)][size_t(index)];
    const uint16_t next =
        ceiling ? uint16_t((word & 0x00FF) | (value << 8)) : uint16_t((word & 0xFF00) | value);
    write(level, plane, index, next, out);
    return out;
}

CellChanges applyWorldEdit(Level& level, WorldMap& map, const ObjectDescriptionTable& objects,
                           const WorldPick& pick, WorldEditPlane plane, uint16_t pen,
                           FloorMode mode, const WorldEditRules& rules) {
    CellChanges out;
    if (pick.kind == PickKind::None)
        return out;
    switch (plane) {
    case WorldEditPlane::Walls:
        if (pick.kind != PickKind::Ceiling)
            out = placeWall(level, map, objects, pick.x, pick.y, pen, rules);
        break;
    case WorldEditPlane::Objects:
        if (pick.kind != PickKind::Wall)
            out = placeObject(level, pick.x, pick.y, pen);
        break;
    case WorldEditPlane::Floors:
        break;
    case WorldEditPlane::FlatTextures:
        if (pick.kind != PickKind::Wall)
            out = setFlatByte(level, mode, pick.x, pick.y, pick.kind == PickKind::Ceiling,
                              uint8_t(pen));
        break;
    }
    for (const CellChange& c : out)
        map.rescan(level, c.index % kMapSide, c.index / kMapSide);
    return out;
}

void EditStroke::add(const CellChanges& changes) {
    for (const CellChange& c : changes) {
        bool merged = false;
        for (CellChange& have : m_changes)
            if (have.plane == c.plane && have.index == c.index) {
                have.after = c.after;
                merged = true;
            }
        if (!merged)
            m_changes.push_back(c);
    }
}

void EditStroke::undo(Level& level) const {
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        if (level.planes[it->plane].size() == size_t(kPlaneWords))
            level.planes[it->plane][it->index] = it->before;
}

void EditStroke::redo(Level& level) const {
    for (const CellChange& c : m_changes)
        if (level.planes[c.plane].size() == size_t(kPlaneWords))
            level.planes[c.plane][c.index] = c.after;
}

} // namespace zentrik
