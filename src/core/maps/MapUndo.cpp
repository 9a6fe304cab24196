#include "maps/MapUndo.h"

namespace zentrik {

namespace {

struct LevelStep {
    int level;
    std::array<Plane, kMaxPlanes> before, after;
};

bool sameLevels(const std::vector<Level>& a, const std::vector<Level>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].planes != b[i].planes || a[i].header.name != b[i].header.name)
            return false;
    return true;
}

} // namespace

void MapUndo::beginLevel() {
    const Level* l = m_set.current();
    if (!l) {
        m_open.reset();
        return;
    }
    m_open = Open{int(m_set.currentLevel), l->planes, {}};
}

bool MapUndo::endLevel() {
    if (!m_open || m_open->level < 0 || m_open->level > m_set.lastLevelIndex())
        return false;
    auto step = std::make_shared<LevelStep>();
    step->level = m_open->level;
    step->before = std::move(m_open->before);
    m_open.reset();
    step->after = m_set.levels[size_t(step->level)].planes;
    if (step->after == step->before)
        return false;
    LevelSet& set = m_set;
    auto apply = [&set](const LevelStep& s, const std::array<Plane, kMaxPlanes>& planes) {
        if (s.level > set.lastLevelIndex())
            return -1;
        set.levels[size_t(s.level)].planes = planes;
        return s.level;
    };
    m_history.push({[step, apply] { return apply(*step, step->before); },
                    [step, apply] { return apply(*step, step->after); }});
    return true;
}

void MapUndo::beginSet() {
    m_open = Open{-1, {}, capture()};
}

bool MapUndo::endSet() {
    if (!m_open || m_open->level >= 0)
        return false;
    auto before = std::make_shared<SetState>(std::move(m_open->setBefore));
    m_open.reset();
    auto after = std::make_shared<SetState>(capture());
    if (after->thirdPlane == before->thirdPlane && sameLevels(after->levels, before->levels))
        return false;
    LevelSet& set = m_set;
    auto restore = [&set](const SetState& state) {
        set.levels = state.levels;
        set.thirdPlane = state.thirdPlane;
        set.currentLevel = state.currentLevel;
        set.mapsLoaded = !set.levels.empty();
        return set.empty() ? -1 : int(set.currentLevel);
    };
    m_history.push({[before, restore] { return restore(*before); },
                    [after, restore] { return restore(*after); }});
    return true;
}

bool MapUndo::renameLevel(int level, const std::string& name) {
    if (level < 0 || level > m_set.lastLevelIndex())
        return false;
    LevelHeader& header = m_set.levels[size_t(level)].header;
    const auto before = header.name;
    header.setName(name);
    if (header.name == before)
        return false;
    if (m_rename && m_rename->level == level && m_renameRevision == m_history.revision()) {
        m_rename->after = header.name;
        return true;
    }
    m_rename = std::make_shared<Rename>(Rename{level, before, header.name});
    LevelSet& set = m_set;
    auto apply = [&set](const Rename& r, const std::array<char, kLevelNameLength>& text) {
        if (r.level > set.lastLevelIndex())
            return -1;
        set.levels[size_t(r.level)].header.name = text;
        return r.level;
    };
    auto rename = m_rename;
    m_history.push({[rename, apply] { return apply(*rename, rename->before); },
                    [rename, apply] { return apply(*rename, rename->after); }});
    m_renameRevision = m_history.revision();
    return true;
}

MapUndo::SetState MapUndo::capture() const {
    return {m_set.levels, m_set.currentLevel, m_set.thirdPlane};
}

} // namespace zentrik
