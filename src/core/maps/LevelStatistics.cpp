#include "maps/LevelStatistics.h"

namespace zentrik {

LevelStatistics countLevel(const Level& level, const ObjectDescriptionTable& table) {
    LevelStatistics s;
    const Plane& walls = level.planes[0];
    const Plane& objects = level.planes[1];
    for (size_t i = 0; i < walls.size(); ++i)
        if (table.isDoor(walls[i]))
            ++s.doors;
    for (uint16_t value : objects) {
        const ObjectDescription& d = table.at(value);
        switch (d.type) {
        case kObjectStatic:
            ++s.statics;
            if (d.flag != 0) {
                ++s.ammo;
                s.shoots += d.flag;
            }
            break;
        case kObjectPlayerStart:
            ++s.players;
            break;
        case kObjectBoss:
            ++s.bosses;
            ++s.guards;
            break;
        case kObjectActor:
            if (d.difficulty >= 1 && d.difficulty <= kBossDifficulty)
                ++s.byDifficulty[d.difficulty];
            ++s.guards;
            break;
        case kObjectDirectionMark:
            ++s.directionMarks;
            break;
        case kObjectPushwall:
            ++s.secrets;
            break;
        default:
            continue;
        }
        ++s.objects;
    }
    return s;
}

} // namespace zentrik
