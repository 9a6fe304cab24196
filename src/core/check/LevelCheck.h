#pragma once

#include "check/EngineProfile.h"
#include "maps/LevelSet.h"
#include "world/SymbolSet.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zentrik {

enum class Severity : uint8_t { Error, Warning, Info };

// One thing the level does that would crash or spoil it. A problem of the whole level has the
// cell of its first instance, or -1, -1.
struct LevelProblem {
    std::string rule; // "actors-limit", "no-start", ...
    Severity severity = Severity::Error;
    int x = -1, y = -1;
    std::string message;
    bool operator==(const LevelProblem&) const = default;
};

inline constexpr int kSkills = 4; // the menu's skills 1..4

// The level's numbers as the game counts them; index = menu skill - 1.
struct LevelCounts {
    std::array<int, kSkills> actors{};  // actor slots taken (enemies and inert actors)
    std::array<int, kSkills> enemies{}; // the kill total
    std::array<int, kSkills> drops{};   // actors that drop an item when killed
    int statics = 0;
    int doors = 0;
    int secrets = 0; // pushwall markers
    int treasures = 0;
};

struct LevelCheckResult {
    std::vector<LevelProblem> problems; // errors first, then warnings, then information
    LevelCounts counts;
    int errors() const;
    int warnings() const;
};

// What the check reads besides the level.
struct CheckRules {
    const SymbolSet& symbols;
    EngineProfile profile = defaultEngineProfile();
    bool featureFlags = false; // the corners of plane 0 carry data, not walls
};

LevelCheckResult checkLevel(const Level& level, const CheckRules& rules);

// The groups of the set's check descriptions that are missing, each with what goes unchecked;
// said once per check, not per level.
std::vector<std::string> unknownDescriptions(const SymbolSet& symbols);

const char* severityName(Severity s); // "error", "warning", "info"

// "2 errors, 5 warnings" (singular for one; "No problems" when both are 0).
std::string problemCountText(int errors, int warnings);

} // namespace zentrik
