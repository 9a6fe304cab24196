#include "world/WorldMap.h"

#include <algorithm>

namespace zentrik {

namespace {

bool inMap(int x, int y) {
    return x >= 0 && y >= 0 && x < kMapSide && y < kMapSide;
}

} // namespace

void WorldMap::build(const Level* level, const ObjectDescriptionTable& objects, int difficulty) {
    m_objects = &objects;
    m_difficulty = difficulty;
    m_tiles.fill(0);
    m_plane0.fill(0);
    m_plane1.fill(0);
    m_plane2.fill(0);
    m_things.clear();
    m_start.reset();
    // The tile byte has room for 64 door rows; rows past that cannot be told apart and are
    // left out (their cells stay empty).
    m_doors.assign(objects.doors.begin(),
                   objects.doors.begin() +
                       std::min<ptrdiff_t>(ptrdiff_t(objects.doors.size()), kMaxDoorRows));
    m_loaded = level && level->planes[0].size() == size_t(kPlaneWords) &&
               level->planes[1].size() == size_t(kPlaneWords);
    m_hasThird = m_loaded && level->planes[2].size() == size_t(kPlaneWords);
    if (!m_loaded)
        return;
    std::copy(level->planes[0].begin(), level->planes[0].end(), m_plane0.begin());
    std::copy(level->planes[1].begin(), level->planes[1].end(), m_plane1.begin());
    if (m_hasThird)
        std::copy(level->planes[2].begin(), level->planes[2].end(), m_plane2.begin());
    for (int x = 0; x < kMapSide; ++x)
        for (int y = 0; y < kMapSide; ++y)
            m_tiles[size_t(x * kMapSide + y)] =
                baseTile(m_plane0[size_t(y * kMapSide + x)], m_plane1[size_t(y * kMapSide + x)]);
    for (int x = 0; x < kMapSide; ++x)
        for (int y = 0; y < kMapSide; ++y)
            markSides(x, y);
    buildThings();
}

void WorldMap::rescan(const Level& level, int cx, int cy) {
    if (!m_loaded || level.planes[0].size() != size_t(kPlaneWords) ||
        level.planes[1].size() != size_t(kPlaneWords))
        return;
    // The edited cell may have gained or lost a door, so its neighbours' marks are redone from
    // their planes; marks come from any door next to a rebuilt cell, also outside the 3 x 3.
    for (int x = cx - 1; x <= cx + 1; ++x)
        for (int y = cy - 1; y <= cy + 1; ++y) {
            if (!inMap(x, y))
                continue;
            const size_t i = size_t(y * kMapSide + x);
            m_plane0[i] = level.planes[0][i];
            m_plane1[i] = level.planes[1][i];
            if (m_hasThird && level.planes[2].size() == size_t(kPlaneWords))
                m_plane2[i] = level.planes[2][i];
            m_tiles[size_t(x * kMapSide + y)] = baseTile(m_plane0[i], m_plane1[i]);
        }
    for (int x = cx - 2; x <= cx + 2; ++x)
        for (int y = cy - 2; y <= cy + 2; ++y)
            if (inMap(x, y))
                markSides(x, y);
    buildThings();
}

uint8_t WorldMap::baseTile(uint16_t wall, uint16_t object) const {
    if (wall == 0 || m_objects->floorCodes.count(wall))
        return 0;
    for (size_t d = 0; d < m_doors.size(); ++d)
        if (m_doors[d].value == wall)
            return uint8_t(kTileDoor | d);
    if (wall > kMaxWallValue)
        return 0; // neither wall nor door: nothing to draw
    if (m_objects->pushwalls.count(object))
        return uint8_t(kTilePushwall | wall);
    return uint8_t(wall);
}

// A door marks the walls at its two ends: above and below a vertical door, left and right of
// a horizontal one. Only plain walls take the mark, and only inside the map.
void WorldMap::markSides(int x, int y) {
    const uint8_t t = tile(x, y);
    if ((t & kTilePushwall) != kTileDoor)
        return;
    const bool vertical = m_doors[t & 0x3F].vertical;
    const int dx = vertical ? 0 : 1, dy = vertical ? 1 : 0;
    for (int s : {-1, 1}) {
        const int nx = x + s * dx, ny = y + s * dy;
        if (!inMap(nx, ny))
            continue;
        uint8_t& n = m_tiles[size_t(nx * kMapSide + ny)];
        if (n != 0 && !(n & kTileDoor))
            n |= kTileDoorSide;
    }
}

bool WorldMap::blocks(int x, int y) const {
    if (!inMap(x, y))
        return true;
    const uint8_t t = tile(x, y);
    return t != 0 && !(t & kTileDoor);
}

void WorldMap::buildThings() {
    m_things.clear();
    m_start.reset();
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t value = m_plane1[size_t(y * kMapSide + x)];
            if (value == 0)
                continue;
            const ObjectDescription& d = m_objects->at(value);
            WorldThing t{uint8_t(x), uint8_t(y), ThingKind::Static, d.sprite, 0};
            switch (d.type) {
            case kObjectStatic:
                break;
            case kObjectPlayerStart:
                if (!m_start)
                    m_start = PlayerStart{x, y, (d.flag & 3) * 90};
                t.kind = ThingKind::PlayerMark;
                t.sprite = kPlayerMarkSprite;
                break;
            case kObjectBoss:
                t.kind = ThingKind::Fixed;
                break;
            case kObjectActor:
                if (d.difficulty > m_difficulty)
                    continue;
                t.kind = ThingKind::Actor;
                t.direction = uint8_t((d.flag * 2) & 7);
                break;
            case kObjectDirectionMark:
                t.kind = ThingKind::DirectionMark;
                t.direction = uint8_t((value - 90) & 7);
                break;
            default:
                continue;
            }
            m_things.push_back(t);
        }
}

} // namespace zentrik
