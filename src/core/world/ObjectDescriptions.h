#pragma once

#include <cstdint>
#include <set>
#include <vector>

namespace zentrik {

// What kind of thing a plane-1 value is, as the object descriptions of a symbol set say.
enum ObjectType : uint8_t {
    kObjectNone = 0,
    kObjectStatic = 1,
    kObjectPlayerStart = 2,
    kObjectBoss = 3, // shown without turning; counted as a boss
    kObjectActor = 4,
    kObjectDirectionMark = 5,
    kObjectPushwall = 6,
    kObjectDoor = 7,
};

inline constexpr int kObjectValues = 65536;
inline constexpr uint8_t kBossDifficulty = 5;

struct ObjectDescription {
    uint16_t sprite = 0;
    uint8_t type = kObjectNone;
    uint8_t flag = 0;
    uint8_t difficulty = 0;
};

struct DoorDescription {
    uint16_t value = 0; // plane-0 value
    int texture = 0;    // may count back from the end of the walls
    bool vertical = false;
    int lock = 0;
    int sideTexture = 0;
    bool operator==(const DoorDescription&) const = default;
};

// The object description table of the current symbol set, with its doors, pushwall markers
// and floor codes.
struct ObjectDescriptionTable {
    std::vector<ObjectDescription> objects = std::vector<ObjectDescription>(kObjectValues);
    std::vector<DoorDescription> doors;
    std::set<uint16_t> pushwalls;
    std::set<uint16_t> floorCodes;

    const ObjectDescription& at(uint16_t value) const { return objects[value]; }
    bool isDoor(uint16_t value) const {
        for (const DoorDescription& d : doors)
            if (d.value == value)
                return true;
        return false;
    }
};

} // namespace zentrik
