#include "app/SavedLevels.h"

#include <algorithm>

namespace zentrik {

namespace {
bool sameLevel(const Level& a, const Level& b) {
    return a.header.bytes() == b.header.bytes() && a.planes == b.planes;
}
} // namespace

void SavedLevels::take(const LevelSet& set) {
    m_levels = set.levels;
}

int SavedLevels::changedLevels(const LevelSet& set) const {
    const size_t common = std::min(m_levels.size(), set.levels.size());
    int changed = int(std::max(m_levels.size(), set.levels.size()) - common);
    for (size_t i = 0; i < common; ++i)
        changed += sameLevel(m_levels[i], set.levels[i]) ? 0 : 1;
    return changed;
}

} // namespace zentrik
