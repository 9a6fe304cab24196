#pragma once

#include "maps/LevelSet.h"

#include <vector>

namespace zentrik {

// The levels as they were last loaded or saved, so that the close question can say how many
// levels carry unsaved changes (an undo back to the saved state leaves none).
class SavedLevels {
public:
    void take(const LevelSet& set);
    // Levels whose header or planes differ from the saved ones, plus levels added or removed.
    int changedLevels(const LevelSet& set) const;

private:
    std::vector<Level> m_levels;
};

} // namespace zentrik
