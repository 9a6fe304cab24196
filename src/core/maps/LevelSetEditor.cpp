#include "maps/LevelSetEditor.h"

#include "io/TextNumbers.h"

namespace zentrik {

LevelPageState levelPageState(const LevelSet& set) {
    LevelPageState s;
    const int last = set.lastLevelIndex();
    s.counterText = "Map " + std::to_string(set.currentLevel + 1) + "/" + std::to_string(last + 1);
    if (const Level* l = set.current()) {
        s.name = l->header.nameText();
        const uint16_t flags = l->featureFlags();
        for (size_t i = 0; i < kFeatureFlagBits.size(); ++i)
            s.flags[i] = (flags & kFeatureFlagBits[i]) != 0;
    }
    s.prevEnabled = set.currentLevel >= 1;
    s.nextEnabled = int(set.currentLevel) < last;
    s.gotoEnabled = last >= 1;
    s.addEnabled = set.levelCount() < kMaxLevels;
    s.deleteEnabled = set.levelCount() > 1;
    return s;
}

bool LevelSetEditor::setCurrentMap(int n) {
    if (n < 0 || n > m_set.lastLevelIndex()) {
        m_prompter.message("Invalid map number: " + std::to_string(n),
                           "CZentrikDlg::SetCurrentMap()", MessageIcon::Exclamation);
        return false;
    }
    m_set.currentLevel = uint16_t(n);
    showCurrent();
    return true;
}

void LevelSetEditor::prevLevel() {
    if (m_set.currentLevel > 0)
        setCurrentMap(m_set.currentLevel - 1);
}

void LevelSetEditor::nextLevel() {
    if (int(m_set.currentLevel) < m_set.lastLevelIndex())
        setCurrentMap(m_set.currentLevel + 1);
}

bool LevelSetEditor::gotoLevel(const std::string& text) {
    const long k = parseDecimal(text);
    if (k - 1 < 0 || k - 1 > m_set.lastLevelIndex()) {
        m_prompter.message("This level doesn't exist!", "Error", MessageIcon::Exclamation);
        return false;
    }
    return setCurrentMap(int(k - 1));
}

bool LevelSetEditor::addMap() {
    if (m_set.levelCount() >= kMaxLevels) {
        m_prompter.message(
            "      WADD IS ???\n  Iwwer f\xC3\xBCnfhunnert Levels ??\n\nDU BISCHD KRANK !!!",
            "Zentrik", MessageIcon::Exclamation);
        return false;
    }
    const bool wasEmpty = m_set.empty();
    const size_t at = wasEmpty ? 0 : size_t(m_set.currentLevel) + 1;
    m_set.levels.insert(m_set.levels.begin() + long(at), Level::blank(m_set.thirdPlane));
    m_set.currentLevel = uint16_t(at);
    if (wasEmpty) {
        m_set.mapsLoaded = true;
        m_set.carmack = true;
    }
    setMapsModified(true);
    showCurrent();
    return true;
}

bool LevelSetEditor::deleteMap() {
    if (m_set.levelCount() < 2) {
        m_prompter.message("You can't use a mapeditor without maps ;)", "Zentrik",
                           MessageIcon::Exclamation);
        return false;
    }
    m_set.levels.erase(m_set.levels.begin() + m_set.currentLevel);
    setMapsModified(true);
    if (int(m_set.currentLevel) > m_set.lastLevelIndex())
        m_set.currentLevel = uint16_t(m_set.lastLevelIndex());
    showCurrent();
    return true;
}

void LevelSetEditor::setMapsModified(bool modified) {
    m_set.mapsModified = modified;
    mapsModifiedSet(modified);
}

void LevelSetEditor::freeLevels() {
    m_set.levels.clear();
    m_set.headerOffsets.fill(0);
    m_set.currentLevel = 0;
    m_set.mapsLoaded = false;
    m_thirdPlaneEditing = false;
    setMapsModified(false);
}

bool LevelSetEditor::setThirdPlane(bool on) {
    if (on) {
        m_set.thirdPlane = true;
        for (auto& l : m_set.levels)
            l.planes[2].assign(kPlaneWords, 0);
    } else if (m_set.thirdPlane) {
        const Answer a = m_prompter.ask(
            "Do you want really do that? You will lose all your data in the 3rd plane!", "Zentrik",
            Buttons::OkCancel, MessageIcon::Exclamation);
        if (a == Answer::Ok) {
            m_set.thirdPlane = false;
            m_thirdPlaneEditing = false;
            for (auto& l : m_set.levels)
                l.planes[2].clear();
        }
    }
    if (!m_set.empty())
        showCurrent();
    return m_set.thirdPlane;
}

void LevelSetEditor::setFeatureFlag(uint16_t bit, bool on) {
    Level* l = m_set.current();
    if (!l || l->planes[0].size() <= size_t(kFeatureFlagsWord))
        return;
    uint16_t& word = l->planes[0][kFeatureFlagsWord];
    const uint16_t before = word;
    word = on ? uint16_t(word | bit) : uint16_t(word & ~bit);
    if (word != before)
        setMapsModified(true);
}

Plane* LevelSetEditor::wallPlane() {
    Level* l = m_set.current();
    if (!l)
        return nullptr;
    return &l->planes[m_thirdPlaneEditing && m_set.thirdPlane ? 2 : 0];
}

void LevelSetEditor::showCurrent() {
    if (!m_set.empty())
        levelShown(m_set.currentLevel);
}

} // namespace zentrik
