#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

inline constexpr int kMaxLevels = 500;
inline constexpr int kMapSide = 64;
inline constexpr int kPlaneWords = kMapSide * kMapSide;
inline constexpr int kPlaneBytes = kPlaneWords * 2;
inline constexpr int kMaxPlanes = 3;
inline constexpr int kLevelNameLength = 16;

// Word 63 of plane 0 holds the level's feature flags when they are in use.
inline constexpr int kFeatureFlagsWord = 63;
enum FeatureFlag : uint16_t {
    kStarSky = 0x0001,
    kParallaxSky = 0x0002,
    kRain = 0x0010,
    kSnow = 0x0020,
};
inline constexpr std::array<uint16_t, 4> kFeatureFlagBits{kStarSky, kParallaxSky, kRain, kSnow};

using Plane = std::vector<uint16_t>; // 4096 words, row-major; empty when absent

// The 40-byte level header, which is also the record in the map file.
struct LevelHeader {
    static constexpr size_t kSize = 40;
    static constexpr size_t kNameOffset = 22;
    static constexpr size_t kTerminatorOffset = 38;

    std::array<int32_t, kMaxPlanes> planeStart{};
    std::array<uint16_t, kMaxPlanes> planeLength{};
    uint16_t width = kMapSide;
    uint16_t height = kMapSide;
    std::array<char, kLevelNameLength> name{}; // NUL-padded, not necessarily terminated
    uint8_t terminator = 0;                    // forced to 0 when read
    uint8_t spare = 0;                         // written back as read

    std::string nameText() const;
    void setName(const std::string& text); // cut to 16 characters

    // Reads 40 bytes (nothing when fewer are given); the terminator is forced to 0.
    static std::optional<LevelHeader> read(std::span<const uint8_t> bytes);
    std::array<uint8_t, kSize> bytes() const;
};

struct Level {
    LevelHeader header;
    std::array<Plane, kMaxPlanes> planes;

    static Level blank(bool thirdPlane);
    uint16_t featureFlags() const;
};

// The game's level maps in memory: the header table of the map header file and every level.
struct LevelSet {
    uint16_t rlewTag = 0xABCD;
    std::array<int32_t, kMaxLevels> headerOffsets{};
    std::vector<Level> levels; // at most kMaxLevels
    uint16_t currentLevel = 0;
    bool thirdPlane = false;
    bool featureFlags = false;
    bool carmack = false;
    uint8_t nearTag = 0xA7;
    uint8_t farTag = 0xA8;
    int carmackMode = 0;
    bool mapsLoaded = false;
    bool mapsModified = false;

    int lastLevelIndex() const { return int(levels.size()) - 1; }
    int levelCount() const { return int(levels.size()); }
    bool empty() const { return levels.empty(); }
    Level* current() { return currentLevel < levels.size() ? &levels[currentLevel] : nullptr; }
    const Level* current() const {
        return currentLevel < levels.size() ? &levels[currentLevel] : nullptr;
    }
};

} // namespace zentrik
