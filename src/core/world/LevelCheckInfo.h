#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrik {

inline constexpr const char* kLevelCheckFileName = "levelcheck.txt";

// What the level check must know of a game beyond the object descriptions: which objects
// block, count as treasure, open locks, end the level or are dropped by actors, and which
// plane-0 values are area codes. Each group is optional; a group the set does not describe
// leaves its rules unchecked (the check says so once) rather than guessed.
struct LevelCheckInfo {
    std::set<uint16_t> blocking;        // plane-1 statics that block movement
    std::set<uint16_t> treasures;       // plane-1 statics that count as treasure
    std::map<uint16_t, int> keys;       // plane-1 key -> the lock it opens
    std::set<int> openLocks;            // door locks that open without a key
    std::set<uint16_t> exitObjects;     // plane-1 objects that end the level when reached
    std::set<uint16_t> exitWalls;       // plane-0 switches that end the level
    std::set<uint16_t> exitKills;       // actors whose death ends the level
    std::map<uint16_t, uint16_t> drops; // actor -> the plane-1 item it drops
    std::set<uint16_t> actorSlots;      // statics that the engine spawns as actors
    std::set<uint16_t> areas;           // plane-0 codes that carry an area number
    std::set<uint16_t> ambush;          // floor codes replaced by a neighbour's area at load

    // The groups the file described ("blocking", "treasures", ...), so that an empty group
    // can be told from a missing one.
    std::set<std::string> described;
    bool describes(const std::string& group) const { return described.count(group) != 0; }
};

// "levelcheck.txt": one group per line, "NAME [PARAMETER] VALUES"; values are numbers or
// ranges "A-B"; "key" and "drop" take the lock or the dropped item as parameter; ";" starts a
// comment. Returns the lines it could not read (1-based), the rest is kept.
std::vector<int> parseLevelCheckInfo(std::string_view text, LevelCheckInfo& info);

} // namespace zentrik
