#include "mapedit/MapUndo.h"

namespace zentrik::gui {

void MapUndo::beginLevel(const LevelSet& set) {
    const Level* l = set.current();
    if (!l) {
        m_open.reset();
        return;
    }
    Step s;
    s.level = set.currentLevel;
    s.before = l->planes;
    m_open = std::move(s);
}

bool MapUndo::endLevel(const LevelSet& set) {
    if (!m_open || m_open->level < 0 || m_open->level > set.lastLevelIndex())
        return false;
    Step s = std::move(*m_open);
    m_open.reset();
    s.after = set.levels[size_t(s.level)].planes;
    if (s.after == s.before)
        return false;
    push(std::move(s));
    return true;
}

void MapUndo::beginSet(const LevelSet& set) {
    Step s;
    s.setBefore = capture(set);
    m_open = std::move(s);
}

bool MapUndo::endSet(const LevelSet& set) {
    if (!m_open || m_open->level >= 0)
        return false;
    Step s = std::move(*m_open);
    m_open.reset();
    s.setAfter = capture(set);
    if (s.setAfter.levels.size() == s.setBefore.levels.size() &&
        s.setAfter.thirdPlane == s.setBefore.thirdPlane) {
        bool same = true;
        for (size_t i = 0; same && i < s.setAfter.levels.size(); ++i)
            same = s.setAfter.levels[i].planes == s.setBefore.levels[i].planes &&
                   s.setAfter.levels[i].header.name == s.setBefore.levels[i].header.name;
        if (same)
            return false;
    }
    push(std::move(s));
    return true;
}

void MapUndo::push(Step step) {
    m_steps.erase(m_steps.begin() + ptrdiff_t(m_next), m_steps.end());
    if (m_clean && *m_clean > m_next)
        m_clean.reset(); // the saved state lay in the redo branch that is now gone
    m_steps.push_back(std::move(step));
    ++m_next;
    if (m_steps.size() > kMaxSteps) {
        m_steps.pop_front();
        --m_next;
        if (m_clean)
            m_clean = *m_clean == 0 ? std::nullopt : std::optional<size_t>(*m_clean - 1);
    }
}

std::optional<int> MapUndo::undo(LevelSet& set) {
    if (!canUndo())
        return std::nullopt;
    const Step& s = m_steps[--m_next];
    if (s.level < 0) {
        restore(set, s.setBefore);
        return set.currentLevel;
    }
    if (s.level > set.lastLevelIndex())
        return std::nullopt;
    set.levels[size_t(s.level)].planes = s.before;
    return s.level;
}

std::optional<int> MapUndo::redo(LevelSet& set) {
    if (!canRedo())
        return std::nullopt;
    const Step& s = m_steps[m_next++];
    if (s.level < 0) {
        restore(set, s.setAfter);
        return set.currentLevel;
    }
    if (s.level > set.lastLevelIndex())
        return std::nullopt;
    set.levels[size_t(s.level)].planes = s.after;
    return s.level;
}

void MapUndo::clear() {
    m_steps.clear();
    m_next = 0;
    m_clean = 0;
    m_open.reset();
}

MapUndo::SetState MapUndo::capture(const LevelSet& set) {
    return {set.levels, set.currentLevel, set.thirdPlane};
}

void MapUndo::restore(LevelSet& set, const SetState& state) {
    set.levels = state.levels;
    set.thirdPlane = state.thirdPlane;
    set.currentLevel = state.currentLevel;
    set.mapsLoaded = !set.levels.empty();
}

} // namespace zentrik::gui
