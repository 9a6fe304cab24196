#pragma once

#include "app/Signal.h"
#include "check/LevelCheck.h"

#include <QGroupBox>
#include <QThreadPool>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace zentrik::gui {

class AppContext;
class CPropMapEdit;

// "Check": the problems of the current level as the level check finds them, re-checked in the
// background a moment after each edit, errors first; a double click goes to the cell. "Check
// all levels" lists every level's problems. A save of a set with errors says how many.
class MapCheckPanel : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kDebounceMs = 150;

    MapCheckPanel(AppContext& context, CPropMapEdit& page, QWidget* parent = nullptr);
    ~MapCheckPanel() override;

    QTreeWidget* list() const { return m_list; }
    // "2 errors, 5 warnings" of what the list shows.
    QString statusText() const;
    // No check is waiting or running: the list is the newest.
    bool idle() const;
    void checkAllLevels();
    // Makes the level current, then selects and centres the cell on the map.
    void goToProblem(int level, int x, int y);

private:
    struct Snapshot;
    void schedule();
    void start();
    void show(int generation, std::vector<std::pair<int, LevelCheckResult>> results);
    void addProblems(int level, const LevelCheckResult& r);
    void profileChosen(int index);
    EngineProfile profile() const;
    std::shared_ptr<const SymbolSet> symbols();
    void sayErrorsAfterSave();

    AppContext& m_context;
    CPropMapEdit& m_page;
    QTreeWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    QComboBox* m_profile = nullptr;
    QTimer* m_timer = nullptr;
    std::vector<Connection> m_connections;
    QThreadPool m_pool;                         // one background check at a time
    std::shared_ptr<const SymbolSet> m_symbols; // a copy the background checks read
    bool m_allLevels = false;
    int m_generation = 0; // of the newest check asked for
    int m_running = 0;    // checks started and not yet shown or dropped
    int m_errors = 0, m_warnings = 0;
    int m_toldErrors = -1; // what the last save said
};

} // namespace zentrik::gui
