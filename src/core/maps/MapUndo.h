#pragma once

#include "app/UndoHistory.h"
#include "maps/LevelSet.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace zentrik {

// Records map edits as steps of the maps' undo history. Each user action is one step: a pen
// stroke, fill, rectangle, paste or feature flag changes one level, and only that level's
// planes are kept; adding or deleting levels, the third-plane switch or importing keeps the
// whole list of levels; a rename keeps the two names. Each step names the level to show.
class MapUndo {
public:
    MapUndo(LevelSet& set, UndoHistory& history) : m_set(set), m_history(history) {}

    // Around an action on the current level. A step is recorded only when the planes changed.
    void beginLevel();
    bool endLevel();
    // Around an action that may change any level or the list of levels.
    void beginSet();
    bool endSet();
    // Renames a level as one step; typing on into the same level's name amends that step
    // as long as nothing else happened to the history in between.
    bool renameLevel(int level, const std::string& name);

    UndoHistory& history() { return m_history; }

private:
    struct SetState {
        std::vector<Level> levels;
        uint16_t currentLevel = 0;
        bool thirdPlane = false;
    };
    struct Open {
        int level = -1; // -1: a whole-set step
        std::array<Plane, kMaxPlanes> before;
        SetState setBefore;
    };
    struct Rename {
        int level;
        std::array<char, kLevelNameLength> before, after;
    };
    SetState capture() const;

    LevelSet& m_set;
    UndoHistory& m_history;
    std::optional<Open> m_open;
    std::shared_ptr<Rename> m_rename; // the newest rename step, while it may be amended
    uint64_t m_renameRevision = 0;
};

} // namespace zentrik
