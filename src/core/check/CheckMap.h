#pragma once

// The level as the check's rules read it: what each plane-0 cell is, what each object is, and
// where the problems go. Shared by the rule files; not part of the check's interface.
#include "check/LevelCheck.h"

#include <array>

namespace zentrik::check {

enum class Cell : uint8_t { Void, Wall, Door, Floor };

class CheckMap {
public:
    CheckMap(const Level& level, const CheckRules& rules);

    const SymbolSet& symbols() const { return m_rules.symbols; }
    const LevelCheckInfo& info() const { return m_rules.symbols.check; }
    const ObjectDescriptionTable& objects() const { return m_rules.symbols.objects; }
    const CheckRules& rules() const { return m_rules; }

    static bool inside(int x, int y) { return x >= 0 && y >= 0 && x < kMapSide && y < kMapSide; }
    static int index(int x, int y) { return y * kMapSide + x; }
    uint16_t wall(int x, int y) const { return m_level.planes[0][size_t(index(x, y))]; }
    uint16_t object(int x, int y) const { return m_level.planes[1][size_t(index(x, y))]; }
    Cell cell(int x, int y) const { return m_cells[size_t(index(x, y))]; }
    // The door table's row of a door cell.
    const DoorDescription& door(int x, int y) const;
    bool isArea(int x, int y) const { return info().areas.count(wall(x, y)) != 0; }
    bool isPushwall(int x, int y) const { return objects().pushwalls.count(object(x, y)) != 0; }
    bool isBlocking(int x, int y) const { return info().blocking.count(object(x, y)) != 0; }
    // An object that takes a slot of the engine's actor list.
    bool isActor(uint16_t value) const;
    bool isEnemy(uint16_t value) const;
    bool isStatic(uint16_t value) const;
    // Whether the actor of this value spawns on menu skill `skill` (1..4).
    bool spawnsOn(uint16_t value, int skill) const;
    // A pushwall that the player can push in at least one direction.
    bool pushwallMoves(int x, int y) const;

    std::string objectName(uint16_t value) const;
    void add(const char* rule, Severity severity, int x, int y, std::string message);
    std::vector<LevelProblem>& problems() { return m_problems; }

private:
    const Level& m_level;
    const CheckRules& m_rules;
    std::array<Cell, kPlaneWords> m_cells{};
    std::array<int8_t, kPlaneWords> m_doorRow{};
    std::vector<LevelProblem> m_problems;
};

std::string cellText(int x, int y); // "12,5"

void checkLimits(CheckMap& map, LevelCounts& counts);
void checkStartAndExit(CheckMap& map);
void checkGeometry(CheckMap& map);
void checkReachability(CheckMap& map);

} // namespace zentrik::check
