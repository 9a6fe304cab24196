// What the player can reach from the start: through floors, doors whose lock opens (with the
// keys found on the way, picked up or dropped by a boss), elevator doors and pushwalls.
#include "check/CheckMap.h"

#include <set>

namespace zentrik::check {

namespace {

class Reach {
public:
    explicit Reach(const CheckMap& map) : m_map(map) {}

    void flood(int sx, int sy) {
        for (size_t round = 0; round < 8; ++round) {
            m_reached.fill(false);
            fill(sx, sy);
            if (!collectKeys())
                return;
        }
    }
    bool reached(int x, int y) const {
        return CheckMap::inside(x, y) && m_reached[size_t(CheckMap::index(x, y))];
    }
    const std::set<int>& locksOpen() const { return m_keys; }

private:
    bool lockOpens(int lock) const {
        // A set that does not describe its locks is not second-guessed: every door opens.
        return !m_map.info().describes("open-lock") || m_map.info().openLocks.count(lock) ||
               m_keys.count(lock);
    }
    bool passable(int x, int y) const {
        switch (m_map.cell(x, y)) {
        case Cell::Floor:
        case Cell::Void:
            return !m_map.isBlocking(x, y);
        case Cell::Door:
            return lockOpens(m_map.door(x, y).lock);
        case Cell::Wall:
            return m_map.isPushwall(x, y) && m_map.pushwallMoves(x, y);
        }
        return false;
    }
    void fill(int sx, int sy) {
        std::vector<int> stack{CheckMap::index(sx, sy)};
        m_reached[size_t(stack.back())] = true;
        static constexpr int kDx[4] = {1, -1, 0, 0}, kDy[4] = {0, 0, 1, -1};
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % kMapSide, y = i / kMapSide;
            for (int d = 0; d < 4; ++d) {
                const int nx = x + kDx[d], ny = y + kDy[d];
                if (!CheckMap::inside(nx, ny) || m_reached[size_t(CheckMap::index(nx, ny))] ||
                    !passable(nx, ny))
                    continue;
                m_reached[size_t(CheckMap::index(nx, ny))] = true;
                stack.push_back(CheckMap::index(nx, ny));
            }
        }
    }
    // The locks of the keys lying (or dropped) in reach; true when one is new.
    bool collectKeys() {
        const LevelCheckInfo& info = m_map.info();
        const size_t before = m_keys.size();
        for (int i = 0; i < kPlaneWords; ++i) {
            if (!m_reached[size_t(i)])
                continue;
            uint16_t v = m_map.object(i % kMapSide, i / kMapSide);
            if (auto d = info.drops.find(v); d != info.drops.end())
                v = d->second;
            if (auto k = info.keys.find(v); k != info.keys.end())
                m_keys.insert(k->second);
        }
        return m_keys.size() != before;
    }

    const CheckMap& m_map;
    std::array<bool, kPlaneWords> m_reached{};
    std::set<int> m_keys;
};

std::string kind(const CheckMap& map, uint16_t v) {
    if (map.info().keys.count(v))
        return "key";
    if (map.info().treasures.count(v))
        return "treasure";
    return map.isEnemy(v) ? "enemy" : "";
}

void unreachable(CheckMap& map, const Reach& reach) {
    const LevelCheckInfo& info = map.info();
    bool exitSeen = false, exitReached = false;
    int exitX = -1, exitY = -1;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            const uint16_t v = map.object(x, y);
            // The switch works only when the player faces east or west.
            const bool exitWall = info.exitWalls.count(map.wall(x, y)) != 0;
            const bool exitThing = info.exitObjects.count(v) || info.exitKills.count(v);
            if (exitWall || exitThing) {
                const bool ok = exitWall ? reach.reached(x - 1, y) || reach.reached(x + 1, y)
                                         : reach.reached(x, y);
                if (!exitSeen) {
                    exitX = x;
                    exitY = y;
                }
                exitSeen = true;
                exitReached = exitReached || ok;
            }
            if (v == 0 || reach.reached(x, y))
                continue;
            const std::string what = kind(map, v);
            if (!what.empty())
                map.add("unreachable", Severity::Warning, x, y,
                        map.objectName(v) + " (" + what +
                            ") cannot be reached from the player start");
        }
    if (exitSeen && !exitReached)
        map.add("unreachable", Severity::Warning, exitX, exitY,
                "The exit cannot be reached from the player start");
}

void unusedKeys(CheckMap& map) {
    if (!map.info().describes("key"))
        return;
    std::set<int> locks;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x)
            if (map.cell(x, y) == Cell::Door)
                locks.insert(map.door(x, y).lock);
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x)
            if (auto k = map.info().keys.find(map.object(x, y));
                k != map.info().keys.end() && !locks.count(k->second))
                map.add("key-unused", Severity::Warning, x, y,
                        map.objectName(k->first) + " opens no door of this level");
}

} // namespace

void checkReachability(CheckMap& map) {
    unusedKeys(map);
    int sx = -1, sy = -1;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x)
            if (map.objects().at(map.object(x, y)).type == kObjectPlayerStart) {
                sx = x; // the game starts on the last one
                sy = y;
            }
    if (sx < 0)
        return;
    Reach reach(map);
    reach.flood(sx, sy);
    unreachable(map, reach);
}

} // namespace zentrik::check
