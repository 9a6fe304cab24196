#include "app/Workspace.h"

namespace zentrik {

void Workspace::beginLevelEdit() {
    m_mapUndo.beginLevel();
}

bool Workspace::endLevelEdit() {
    if (!m_mapUndo.endLevel())
        return false;
    notify({DataSet::Maps, ChangeKind::Edited, currentLevel()});
    return true;
}

bool Workspace::editLevel(const std::function<void()>& command) {
    beginLevelEdit();
    command();
    return endLevelEdit();
}

bool Workspace::editLevels(const std::function<void()>& command) {
    m_mapUndo.beginSet();
    command();
    if (!m_mapUndo.endSet())
        return false;
    notify({DataSet::Maps, ChangeKind::Edited, -1});
    return true;
}

bool Workspace::renameLevel(const std::string& name) {
    if (!m_mapUndo.renameLevel(currentLevel(), name))
        return false;
    notify({DataSet::Maps, ChangeKind::Edited, currentLevel()});
    return true;
}

bool Workspace::setFeatureFlag(uint16_t bit, bool on) {
    return editLevel([&] { m_levelEditor.setFeatureFlag(bit, on); });
}

bool Workspace::setThirdPlane(bool on) {
    editLevels([&] { m_levelEditor.setThirdPlane(on); });
    return m_levels.thirdPlane;
}

bool Workspace::addMap() {
    bool added = false;
    editLevels([&] { added = m_levelEditor.addMap(); });
    return added;
}

bool Workspace::deleteMap() {
    bool deleted = false;
    editLevels([&] { deleted = m_levelEditor.deleteMap(); });
    return deleted;
}

bool Workspace::undo(DataSet set) {
    return afterHistoryStep(set, history(set).undo());
}

bool Workspace::redo(DataSet set) {
    return afterHistoryStep(set, history(set).redo());
}

bool Workspace::afterHistoryStep(DataSet set, std::optional<int> focus) {
    if (!focus)
        return false;
    if (set == DataSet::Maps) {
        // A whole-set step replaced the levels: views must fetch their planes anew.
        if (!m_levels.thirdPlane)
            m_levelEditor.setThirdPlaneEditing(false);
        if (m_levels.empty())
            currentLevelChanged(-1);
        else
            m_levelEditor.setCurrentMap(*focus >= 0 ? *focus : currentLevel());
    }
    notify({set, ChangeKind::Edited, *focus});
    return true;
}

} // namespace zentrik
