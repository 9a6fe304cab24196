#pragma once

#include "app/LoadAllRunner.h"
#include "app/Signal.h"
#include "app/WorkspaceLoadAll.h"
#include "window/LoadAllDialog.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

namespace zentrik::gui {

class AppContext;
class MainToolbar;

// The toolbar's "Load All" and "Save all", and opening a game folder given on the command
// line or dropped on the window. Load All asks once over unsaved changes, lets the user pick a
// folder and confirm its files, loads every set, and ends with one summary of what loaded and
// what did not. Save all writes the changed sets that this Load All loaded back to its names.
class LoadAllCommand : public QObject {
    Q_OBJECT
public:
    LoadAllCommand(AppContext& context, MainToolbar& toolbar, QObject* parent = nullptr);

    // Shows the dialog; tests replace it.
    std::function<std::optional<LoadAllChoice>(const LoadAllScan&, const std::filesystem::path&,
                                               const std::optional<std::string>& proposal)>
        chooseFiles;

    bool loadAll();
    bool saveAll();
    // A folder (its proposed suffix) or one data file of it (that file's suffix), without the
    // dialog.
    bool open(const std::filesystem::path& path);

    const LoadAllSession& session() const { return m_session; }

private:
    bool confirmDiscard();
    bool run(const std::filesystem::path& folder, const std::string& suffix,
             const LoadAllChoice& choice);

    AppContext& m_context;
    WorkspaceLoadAll m_io;
    LoadAllSession m_session;
    bool m_running = false;
    std::vector<Connection> m_watches;
};

} // namespace zentrik::gui
