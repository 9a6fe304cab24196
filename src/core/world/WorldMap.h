#pragma once

#include "maps/LevelSet.h"
#include "world/ObjectDescriptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zentrik {

// Tile bytes of the 3D view, one per cell:
//   0                    empty (floor codes, and plane-0 values that are neither walls nor doors)
//   1..63                solid wall of that value; bit 6 added marks a door side
//   0x80 | door          door, the low 6 bits its row in the door table
//   0xC0 | wall          pushwall showing that wall value
inline constexpr uint8_t kTileDoorSide = 0x40;
inline constexpr uint8_t kTileDoor = 0x80;
inline constexpr uint8_t kTilePushwall = 0xC0;
inline constexpr int kMaxDoorRows = 64;
inline constexpr int kMaxWallValue = 63;

enum class ThingKind : uint8_t { Static, PlayerMark, Fixed, Actor, DirectionMark };

// A thing the view draws from the object plane.
struct WorldThing {
    uint8_t x = 0, y = 0;
    ThingKind kind = ThingKind::Static;
    uint16_t sprite = 0;
    uint8_t direction = 0; // actors: facing in eighths of a turn; marks: 0..7 from east
};

struct PlayerStart {
    int x = 0, y = 0;
    int angle = 0; // degrees
};

// The level as the 3D view sees it: the tile bytes indexed [x][y], the doors, what the object
// plane shows, and copies of the planes the floors read. Rebuilt when the level, the object
// descriptions or the difficulty change, and around each edit (rescan).
class WorldMap {
public:
    static constexpr uint16_t kPlayerMarkSprite = 408;

    // No level (or a level without its two planes) gives an empty map.
    void build(const Level* level, const ObjectDescriptionTable& objects, int difficulty);
    // Rebuilds the tiles of the 3 x 3 cells round (x, y) (those inside the map) with the side
    // marks of every door next to them, and the things, after a single-cell edit.
    void rescan(const Level& level, int x, int y);

    bool loaded() const { return m_loaded; }
    uint8_t tile(int x, int y) const { return m_tiles[size_t(x * kMapSide + y)]; }
    uint16_t plane0(int x, int y) const { return m_plane0[size_t(y * kMapSide + x)]; }
    // Floor (low byte) and ceiling (high byte) texture numbers; nothing without a third plane.
    bool hasThirdPlane() const { return m_hasThird; }
    uint16_t plane2(int x, int y) const { return m_plane2[size_t(y * kMapSide + x)]; }
    const std::vector<DoorDescription>& doors() const { return m_doors; }
    const std::vector<WorldThing>& things() const { return m_things; }
    const std::optional<PlayerStart>& playerStart() const { return m_start; }
    int difficulty() const { return m_difficulty; }
    // Solid for the viewer's collision: walls and door sides; doors and pushwalls are not.
    bool blocks(int x, int y) const;

private:
    uint8_t baseTile(uint16_t wall, uint16_t object) const;
    void markSides(int x, int y);
    void buildThings();

    const ObjectDescriptionTable* m_objects = nullptr;
    bool m_loaded = false, m_hasThird = false;
    int m_difficulty = 4;
    std::array<uint8_t, kPlaneWords> m_tiles{};
    std::array<uint16_t, kPlaneWords> m_plane0{}, m_plane1{}, m_plane2{};
    std::vector<DoorDescription> m_doors;
    std::vector<WorldThing> m_things;
    std::optional<PlayerStart> m_start;
};

} // namespace zentrik
