#include "check/CheckMap.h"

namespace zentrik::check {

CheckMap::CheckMap(const Level& level, const CheckRules& rules) : m_level(level), m_rules(rules) {
    const ObjectDescriptionTable& t = objects();
    for (int i = 0; i < kPlaneWords; ++i) {
        const uint16_t v = level.planes[0][size_t(i)];
        m_doorRow[size_t(i)] = -1;
        for (size_t d = 0; d < t.doors.size() && d < 127; ++d)
            if (t.doors[d].value == v)
                m_doorRow[size_t(i)] = int8_t(d);
        // Everything below the floor codes is solid to the engine; 0 and the values past the
        // floor codes are open floor without a valid area.
        const uint16_t firstFloor =
            t.floorCodes.empty() ? kFirstDefaultFloorCode : *t.floorCodes.begin();
        m_cells[size_t(i)] = m_doorRow[size_t(i)] >= 0    ? Cell::Door
                             : t.floorCodes.count(v) != 0 ? Cell::Floor
                             : v != 0 && v < firstFloor   ? Cell::Wall
                                                          : Cell::Void;
    }
}

const DoorDescription& CheckMap::door(int x, int y) const {
    return objects().doors[size_t(m_doorRow[size_t(index(x, y))])];
}

bool CheckMap::isActor(uint16_t value) const {
    const uint8_t type = objects().at(value).type;
    return type == kObjectActor || type == kObjectBoss || info().actorSlots.count(value) != 0;
}

bool CheckMap::isEnemy(uint16_t value) const {
    const uint8_t type = objects().at(value).type;
    return (type == kObjectActor || type == kObjectBoss) && info().actorSlots.count(value) == 0;
}

bool CheckMap::isStatic(uint16_t value) const {
    return objects().at(value).type == kObjectStatic && info().actorSlots.count(value) == 0;
}

bool CheckMap::spawnsOn(uint16_t value, int skill) const {
    const ObjectDescription& d = objects().at(value);
    if (d.type != kObjectActor)
        return true; // bosses, ghosts and inert actors spawn on every skill
    return d.difficulty <= skill || d.difficulty == kBossDifficulty;
}

bool CheckMap::pushwallMoves(int x, int y) const {
    static constexpr int kDx[4] = {1, -1, 0, 0}, kDy[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; ++d) {
        const int fx = x - kDx[d], fy = y - kDy[d]; // where the player stands
        const int ax = x + kDx[d], ay = y + kDy[d]; // where the wall goes
        if (!inside(fx, fy) || !inside(ax, ay))
            continue;
        const Cell from = cell(fx, fy), ahead = cell(ax, ay);
        const bool standable = from == Cell::Floor || from == Cell::Void || from == Cell::Door;
        // Another pushwall ahead can be pushed away first (a chain of secret walls).
        const bool free = ((ahead == Cell::Floor || ahead == Cell::Void) && !isBlocking(ax, ay) &&
                           !isActor(object(ax, ay))) ||
                          (ahead == Cell::Wall && isPushwall(ax, ay));
        if (standable && free)
            return true;
    }
    return false;
}

std::string CheckMap::objectName(uint16_t value) const {
    const auto& names = symbols().names.objects;
    auto it = names.find(value);
    return it != names.end() ? it->second : "object " + std::to_string(value);
}

void CheckMap::add(const char* rule, Severity severity, int x, int y, std::string message) {
    m_problems.push_back(LevelProblem{rule, severity, x, y, std::move(message)});
}

std::string cellText(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

} // namespace zentrik::check
