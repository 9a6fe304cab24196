#pragma once

#include "maps/LevelSet.h"

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace zentrik::gui {

// Undo and redo of map edits. Each user action is one step: a pen stroke, fill, rectangle or
// paste changes one level, and only that level's planes are kept; adding or deleting levels
// or importing keeps the whole list of levels. The clean mark follows the last load or save,
// so the maps' changed flag can follow the history.
class MapUndo {
public:
    static constexpr size_t kMaxSteps = 64;

    // Around an action on the current level. A step is recorded only when the planes changed.
    void beginLevel(const LevelSet& set);
    bool endLevel(const LevelSet& set);
    // Around an action that may change any level or the list of levels.
    void beginSet(const LevelSet& set);
    bool endSet(const LevelSet& set);

    bool canUndo() const { return m_next > 0; }
    bool canRedo() const { return m_next < m_steps.size(); }
    // Each returns the level to show afterwards.
    std::optional<int> undo(LevelSet& set);
    std::optional<int> redo(LevelSet& set);

    void clear(); // a new set was read: nothing before it can be undone
    void markClean() { m_clean = m_next; }
    bool isClean() const { return m_clean == m_next; }
    size_t size() const { return m_steps.size(); }

private:
    struct SetState {
        std::vector<Level> levels;
        uint16_t currentLevel = 0;
        bool thirdPlane = false;
    };
    struct Step {
        int level = -1; // -1: a whole-set step
        std::array<Plane, kMaxPlanes> before, after;
        SetState setBefore, setAfter;
    };
    void push(Step step);
    static SetState capture(const LevelSet& set);
    static void restore(LevelSet& set, const SetState& state);

    std::deque<Step> m_steps;
    size_t m_next = 0;                 // steps before this index are done
    std::optional<size_t> m_clean = 0; // none: the clean state was dropped from the history
    std::optional<Step> m_open;
};

} // namespace zentrik::gui
