#pragma once

#include "app/SavedPosition.h"
#include "vgagraph/VgaModels.h"

namespace zentrik::gui {

// The text screens as last loaded or saved. Screens are a few 4000-byte chunks, so comparing
// them is cheaper than tracking every step: the set is unsaved exactly when they differ, which
// undoing back to the saved text gives back.
class SavedScreens : public SavedPosition {
public:
    explicit SavedScreens(const ScreenSet& set) : m_set(set) { markSaved(); }

    bool awayFromSaved() const override {
        if (m_saved.size() != m_set.screens.size())
            return true;
        for (size_t i = 0; i < m_saved.size(); ++i)
            if (m_saved[i].chunk != m_set.screens[i].chunk ||
                m_saved[i].bytes != m_set.screens[i].bytes)
                return true;
        return false;
    }
    void markSaved() override { m_saved = m_set.screens; }

private:
    const ScreenSet& m_set;
    std::vector<ScreenRecord> m_saved;
};

} // namespace zentrik::gui
