// The engine's fixed lists: actors, static objects and doors, counted as the game spawns them.
#include "check/CheckMap.h"

namespace zentrik::check {

namespace {

struct Overflow {
    int count = 0;
    int x = -1, y = -1; // the object that no longer fits
    void add(int limit, int cx, int cy) {
        if (++count == limit + 1) {
            x = cx;
            y = cy;
        }
    }
};

std::string holds(const EngineProfile& p, int limit, const char* quits) {
    return "; the " + p.name + " holds " + std::to_string(limit) + " and quits with \"" + quits +
           "\"";
}

void actorsLimit(CheckMap& map, const std::array<Overflow, kSkills>& actors) {
    const int limit = map.rules().profile.maxActors;
    if (limit <= 0 || actors[kSkills - 1].count <= limit)
        return;
    std::string msg = "Too many actors:";
    int first = kSkills - 1;
    for (int s = kSkills - 1; s >= 0; --s)
        if (actors[size_t(s)].count > limit) {
            msg += (s == kSkills - 1 ? " " : ", ") + std::to_string(actors[size_t(s)].count) +
                   " on skill " + std::to_string(s + 1);
            first = s;
        }
    msg += holds(map.rules().profile, limit, "GetNewActor: No free spots in objlist!");
    msg.insert(msg.find(" and quits"), " besides the player");
    const Overflow& o = actors[size_t(first)];
    map.add("actors-limit", Severity::Error, o.x, o.y, msg);
}

} // namespace

void checkLimits(CheckMap& map, LevelCounts& counts) {
    const EngineProfile& p = map.rules().profile;
    std::array<Overflow, kSkills> actors{};
    Overflow statics, doors;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            if (map.cell(x, y) == Cell::Door)
                doors.add(p.maxDoors, x, y);
            const uint16_t v = map.object(x, y);
            if (v == 0)
                continue;
            if (map.isStatic(v)) {
                statics.add(p.maxStatics, x, y);
                counts.treasures += map.info().treasures.count(v) != 0 ? 1 : 0;
            }
            if (map.objects().pushwalls.count(v))
                ++counts.secrets;
            if (!map.isActor(v))
                continue;
            for (int s = 0; s < kSkills; ++s)
                if (map.spawnsOn(v, s + 1)) {
                    actors[size_t(s)].add(p.maxActors, x, y);
                    counts.enemies[size_t(s)] += map.isEnemy(v) ? 1 : 0;
                    counts.drops[size_t(s)] += map.info().drops.count(v) != 0 ? 1 : 0;
                }
        }
    for (int s = 0; s < kSkills; ++s)
        counts.actors[size_t(s)] = actors[size_t(s)].count;
    counts.statics = statics.count;
    counts.doors = doors.count;

    actorsLimit(map, actors);
    if (p.maxStatics > 0 && statics.count > p.maxStatics) {
        map.add("statics-limit", Severity::Error, statics.x, statics.y,
                "Too many static objects: " + std::to_string(statics.count) +
                    holds(p, p.maxStatics, "Too many static objects!"));
    } else if (p.maxStatics > 0 && statics.count + counts.drops[kSkills - 1] > p.maxStatics) {
        map.add("statics-limit", Severity::Warning, -1, -1,
                std::to_string(statics.count) + " static objects and " +
                    std::to_string(counts.drops[kSkills - 1]) +
                    " actors that drop an item on skill 4 make " +
                    std::to_string(statics.count + counts.drops[kSkills - 1]) + "; the " + p.name +
                    " holds " + std::to_string(p.maxStatics) +
                    ", so a dropped item (a boss's key) may fail to appear");
    }
    if (p.maxDoors > 0 && doors.count > p.maxDoors)
        map.add("doors-limit", Severity::Error, doors.x, doors.y,
                "Too many doors: " + std::to_string(doors.count) +
                    holds(p, p.maxDoors, "64+ doors on level!"));
}

} // namespace zentrik::check
