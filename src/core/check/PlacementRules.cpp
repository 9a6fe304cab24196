// The player start, the ways out, and the geometry the engine takes for granted: a closed
// border, an area under every actor, walls beside doors, pushwalls that can move.
#include "check/CheckMap.h"

namespace zentrik::check {

namespace {

bool hasAreaNeighbour(const CheckMap& map, int x, int y) {
    static constexpr int kDx[4] = {1, 0, 0, -1}, kDy[4] = {0, -1, 1, 0};
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (CheckMap::inside(nx, ny) && map.isArea(nx, ny))
            return true;
    }
    return false;
}

// Floor with an area number of its own, or an ambush marker that takes a neighbour's.
bool hasArea(const CheckMap& map, int x, int y) {
    if (map.isArea(x, y))
        return true;
    return map.info().ambush.count(map.wall(x, y)) != 0 && hasAreaNeighbour(map, x, y);
}

bool isWallAt(const CheckMap& map, int x, int y) {
    return !CheckMap::inside(x, y) || map.cell(x, y) == Cell::Wall;
}

void doorSides(CheckMap& map, int x, int y) {
    const bool vertical = map.door(x, y).vertical;
    const int dx = vertical ? 0 : 1, dy = vertical ? 1 : 0;
    if (isWallAt(map, x - dx, y - dy) && isWallAt(map, x + dx, y + dy))
        return;
    map.add("door-sides", Severity::Warning, x, y,
            std::string(vertical ? "Vertical" : "Horizontal") +
                " door without walls on both sides (" +
                (vertical ? "north and south" : "west and east") +
                "): the game draws and passes it wrongly");
}

void objectPlacement(CheckMap& map, int x, int y, uint16_t v) {
    const Cell c = map.cell(x, y);
    const bool actor = map.isActor(v);
    if (c == Cell::Wall && (actor || map.isBlocking(x, y)) && !map.isPushwall(x, y)) {
        map.add("object-in-wall", Severity::Warning, x, y,
                map.objectName(v) + " stands inside a wall");
        return;
    }
    if (actor && map.info().describes("areas") && c != Cell::Door && !hasArea(map, x, y) &&
        c != Cell::Wall)
        map.add("no-area", Severity::Error, x, y,
                map.objectName(v) + " stands on a cell without an area number (" +
                    std::to_string(map.wall(x, y)) + "): the engine reads its area from it");
}

void pushwall(CheckMap& map, int x, int y) {
    if (map.cell(x, y) != Cell::Wall)
        map.add("pushwall-not-wall", Severity::Warning, x, y,
                "Pushwall marker on a cell that is not a wall: a secret that counts but cannot "
                "be found");
    else if (!map.pushwallMoves(x, y))
        map.add("pushwall-blocked", Severity::Warning, x, y,
                "Pushwall that cannot move: a wall, an object or the edge right behind it on "
                "every side the player can push from");
}

} // namespace

void checkStartAndExit(CheckMap& map) {
    std::vector<std::pair<int, int>> starts;
    bool exit = false;
    const LevelCheckInfo& info = map.info();
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t v = map.object(x, y);
            if (map.objects().at(v).type == kObjectPlayerStart)
                starts.emplace_back(x, y);
            exit = exit || info.exitWalls.count(map.wall(x, y)) || info.exitObjects.count(v) ||
                   info.exitKills.count(v);
        }
    if (starts.empty())
        map.add("no-start", Severity::Error, -1, -1, "No player start");
    if (starts.size() > 1) {
        std::string cells;
        for (auto [x, y] : starts)
            cells += (cells.empty() ? "" : "; ") + cellText(x, y);
        map.add("many-starts", Severity::Error, starts[1].first, starts[1].second,
                std::to_string(starts.size()) + " player starts, at " + cells +
                    ": the game starts on the last one");
    }
    for (auto [x, y] : starts) {
        if (map.cell(x, y) != Cell::Floor)
            map.add("start-not-floor", Severity::Error, x, y,
                    "The player start is not on a floor cell (" + std::to_string(map.wall(x, y)) +
                        ")");
        else if (info.describes("areas") && !hasArea(map, x, y))
            map.add("no-area", Severity::Error, x, y,
                    "The player start is on a cell without an area number (" +
                        std::to_string(map.wall(x, y)) + ")");
    }
    const bool exitsKnown =
        info.describes("exit-wall") || info.describes("exit-object") || info.describes("exit-kill");
    if (exitsKnown && !exit)
        map.add("no-exit", Severity::Warning, -1, -1,
                "No way out of the level: no elevator switch and no end-game trigger");
}

void checkGeometry(CheckMap& map) {
    const bool corners = map.rules().featureFlags;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const bool edge = x == 0 || y == 0 || x == kMapSide - 1 || y == kMapSide - 1;
            const bool corner = (x == 0 || x == kMapSide - 1) && (y == 0 || y == kMapSide - 1);
            if (edge && !(corners && corner) && map.cell(x, y) != Cell::Wall)
                map.add("open-edge", Severity::Error, x, y,
                        "Cell on the map's edge that is not a wall: the engine does not guard "
                        "its map's border");
            if (map.cell(x, y) == Cell::Door)
                doorSides(map, x, y);
            if (const uint16_t v = map.object(x, y); v != 0) {
                if (map.isPushwall(x, y))
                    pushwall(map, x, y);
                else
                    objectPlacement(map, x, y, v);
            }
        }
}

} // namespace zentrik::check
