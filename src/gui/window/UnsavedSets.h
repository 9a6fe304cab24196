#pragma once

#include "app/DataSet.h"
#include "app/Signal.h"

#include <QString>

#include <vector>

class QAction;

namespace zentrik {
class Workspace;
}

namespace zentrik::gui {

class MainToolbar;

// The sets with unsaved changes as the close question lists them: "Maps (3 levels), Walls".
QString unsavedSetsText(const Workspace& ws);

// The main toolbar's commands that save a set (a graphics part: its own item and the
// archive's button).
std::vector<QAction*> saveCommandsOf(const MainToolbar& toolbar, DataSet set);

// Lights the save commands of the sets unsaved when the close question was answered Yes, so
// the user sees what to press; each goes out once its set is saved (or back at its saved
// state).
class SaveCommandLights {
public:
    SaveCommandLights(Workspace& ws, MainToolbar& toolbar);

    void lightUnsaved();
    bool isLit(const QAction* action) const;

private:
    void setLit(DataSet set, bool on);

    Workspace& m_ws;
    MainToolbar& m_toolbar;
    Connection m_watch;
};

} // namespace zentrik::gui
