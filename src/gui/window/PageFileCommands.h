#pragma once

#include "app/Signal.h"
#include "app/Workspace.h"

#include <QObject>

#include <vector>

namespace zentrik::gui {

class AppContext;
class MainToolbar;

// The main toolbar's six page-file commands: "Load Walls", "Save Walls", "Load Sprites",
// "Save Sprites", "Load Sounds" and "Save sounds". Each asks over unsaved changes, shows its
// file dialog and runs the workspace's load or save as a job in the progress window. A save
// is enabled only while its set is loaded.
class PageFileCommands : public QObject {
    Q_OBJECT
public:
    PageFileCommands(AppContext& context, MainToolbar& toolbar, QObject* parent = nullptr);

    bool load(DataSet set);
    bool save(DataSet set);

private:
    void updateSaveActions();

    AppContext& m_context;
    MainToolbar& m_toolbar;
    std::vector<Connection> m_watches;
};

} // namespace zentrik::gui
