#include "mapedit/MapCheckPanel.h"

#include "context/AppContext.h"
#include "mapedit/CPropMapEdit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QThreadPool>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zentrik::gui {

namespace {

enum Column { kLevelColumn, kCellColumn, kSeverityColumn, kRuleColumn, kMessageColumn };
constexpr int kLevelRole = Qt::UserRole, kXRole = Qt::UserRole + 1, kYRole = Qt::UserRole + 2;

QColor severityColor(Severity s) {
    return s == Severity::Error     ? QColor(200, 0, 0)
           : s == Severity::Warning ? QColor(160, 110, 0)
                                    : QColor(60, 60, 160);
}

using Results = std::vector<std::pair<int, LevelCheckResult>>;

} // namespace

// What one background check reads: copies, so that edits made meanwhile cannot touch it.
struct MapCheckPanel::Snapshot {
    std::vector<std::pair<int, Level>> levels;
    std::shared_ptr<const SymbolSet> symbols;
    EngineProfile profile;
    bool featureFlags = false;

    Results run() const {
        Results out;
        for (const auto& [index, level] : levels)
            out.emplace_back(index, checkLevel(level, CheckRules{*symbols, profile, featureFlags}));
        return out;
    }
};

MapCheckPanel::MapCheckPanel(AppContext& context, CPropMapEdit& page, QWidget* parent)
    : QGroupBox(tr("Check"), parent), m_context(context), m_page(page) {
    setObjectName(QStringLiteral("checkPanel"));
    m_pool.setMaxThreadCount(1);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("checkStatus"));
    m_profile = new QComboBox;
    m_profile->setObjectName(QStringLiteral("checkProfile"));
    for (const EngineProfile& p : engineProfiles())
        m_profile->addItem(QString::fromStdString(p.name));
    auto* all = new QPushButton(tr("Check all levels"));
    all->setObjectName(QStringLiteral("checkAllLevels"));
    all->setCheckable(true);
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("checkList"));
    m_list->setHeaderLabels({tr("Level"), tr("Cell"), tr("Severity"), tr("Rule"), tr("Message")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setMaximumHeight(150);

    auto* row = new QHBoxLayout;
    row->addWidget(m_status, 1);
    row->addWidget(m_profile);
    row->addWidget(all);
    auto* v = new QVBoxLayout(this);
    v->addLayout(row);
    v->addWidget(m_list);

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDebounceMs);
    connect(m_timer, &QTimer::timeout, this, &MapCheckPanel::start);
    connect(all, &QPushButton::toggled, this, [this](bool on) {
        m_allLevels = on;
        schedule();
    });
    connect(m_profile, &QComboBox::currentIndexChanged, this, &MapCheckPanel::profileChosen);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        goToProblem(item->data(0, kLevelRole).toInt(), item->data(0, kXRole).toInt(),
                    item->data(0, kYRole).toInt());
    });
    // The 3D page looks toward the problem's cell from where its viewer stands.
    auto* turn = new QAction(tr("Turn 3DEdit toward it"), m_list);
    turn->setObjectName(QStringLiteral("checkTurn3D"));
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_list->addAction(turn);
    connect(turn, &QAction::triggered, this, [this] {
        QTreeWidgetItem* item = m_list->currentItem();
        if (!item || item->data(0, kXRole).toInt() < 0)
            return;
        goToProblem(item->data(0, kLevelRole).toInt(), item->data(0, kXRole).toInt(),
                    item->data(0, kYRole).toInt());
        emit m_context.messages.turnTo3D(item->data(0, kXRole).toInt(),
                                         item->data(0, kYRole).toInt());
    });
    connect(&m_context.messages, &AppMessages::symbolsChanged, this, [this] {
        m_symbols.reset();
        schedule();
    });
    Workspace& ws = m_context.workspace;
    m_connections.push_back(ws.changed.connect([this](const Change& c) {
        if (c.set == DataSet::Maps)
            schedule();
    }));
    m_connections.push_back(ws.currentLevelChanged.connect([this](int) { schedule(); }));
    m_connections.push_back(ws.saved.connect([this](DataSet s) {
        if (s == DataSet::Maps)
            sayErrorsAfterSave();
    }));
    // The extension's profile, when its record names one.
    for (const ExtensionRecord& r : m_context.extensions.records())
        if (r.extension == m_context.extensions.lastExtension() && !r.engineProfile.empty())
            for (size_t i = 0; i < engineProfiles().size(); ++i)
                if (engineProfiles()[i].id == r.engineProfile)
                    m_profile->setCurrentIndex(int(i));
    schedule();
}

MapCheckPanel::~MapCheckPanel() {
    m_pool.waitForDone();
}

QString MapCheckPanel::statusText() const {
    return m_status->text();
}

bool MapCheckPanel::idle() const {
    return !m_timer->isActive() && m_running == 0;
}

void MapCheckPanel::checkAllLevels() {
    findChild<QPushButton*>(QStringLiteral("checkAllLevels"))->setChecked(true);
}

EngineProfile MapCheckPanel::profile() const {
    const int i = m_profile->currentIndex();
    return i >= 0 && size_t(i) < engineProfiles().size() ? engineProfiles()[size_t(i)]
                                                         : defaultEngineProfile();
}

void MapCheckPanel::profileChosen(int index) {
    // Stored with the extension's record (written with extensions.txt).
    std::vector<ExtensionRecord> records = m_context.extensions.records();
    for (ExtensionRecord& r : records)
        if (r.extension == m_context.extensions.lastExtension())
            r.engineProfile = index <= 0 ? "" : engineProfiles()[size_t(index)].id;
    m_context.extensions.setRecords(std::move(records));
    schedule();
}

std::shared_ptr<const SymbolSet> MapCheckPanel::symbols() {
    if (!m_symbols)
        m_symbols = std::make_shared<const SymbolSet>(m_context.symbols);
    return m_symbols;
}

void MapCheckPanel::schedule() {
    ++m_generation; // whatever runs now is out of date
    m_timer->start();
}

void MapCheckPanel::start() {
    const LevelSet& set = m_context.workspace.levels();
    auto snapshot = std::make_shared<Snapshot>();
    snapshot->symbols = symbols();
    snapshot->profile = profile();
    snapshot->featureFlags = set.featureFlags;
    for (int i = 0; i < set.levelCount(); ++i)
        if (m_allLevels || i == set.currentLevel)
            snapshot->levels.emplace_back(i, set.levels[size_t(i)]);
    const int generation = m_generation;
    ++m_running;
    QPointer<MapCheckPanel> self(this);
    m_pool.start([snapshot, generation, self] {
        Results results = snapshot->run();
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, results = std::move(results)]() mutable {
                if (self)
                    self->show(generation, std::move(results));
            },
            Qt::QueuedConnection);
    });
}

void MapCheckPanel::show(int generation, Results results) {
    --m_running;
    if (generation != m_generation)
        return; // an edit came after it; the newer check follows
    m_list->clear();
    m_errors = m_warnings = 0;
    std::vector<std::pair<int, const LevelProblem*>> rows;
    for (const auto& [level, r] : results) {
        m_errors += r.errors();
        m_warnings += r.warnings();
        for (const LevelProblem& p : r.problems)
            rows.emplace_back(level, &p);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return int(a.second->severity) < int(b.second->severity);
    });
    for (const auto& [level, p] : rows) {
        auto* item = new QTreeWidgetItem(
            {QString::number(level), p->x >= 0 ? QStringLiteral("%1,%2").arg(p->x).arg(p->y) : "-",
             severityName(p->severity), QString::fromStdString(p->rule),
             QString::fromStdString(p->message)});
        item->setData(0, kLevelRole, level);
        item->setData(0, kXRole, p->x);
        item->setData(0, kYRole, p->y);
        item->setForeground(kSeverityColumn, severityColor(p->severity));
        item->setToolTip(kMessageColumn, item->text(kMessageColumn));
        m_list->addTopLevelItem(item);
    }
    // What the symbol set leaves undescribed, said once below the problems.
    for (const std::string& note : unknownDescriptions(*symbols())) {
        auto* item = new QTreeWidgetItem(
            {"-", "-", severityName(Severity::Info), "unknown", QString::fromStdString(note)});
        item->setData(0, kLevelRole, m_context.workspace.currentLevel());
        item->setData(0, kXRole, -1);
        item->setData(0, kYRole, -1);
        m_list->addTopLevelItem(item);
    }
    const QString counts = QString::fromStdString(problemCountText(m_errors, m_warnings));
    m_status->setText(m_allLevels ? tr("All levels: %1").arg(counts) : counts);
}

void MapCheckPanel::goToProblem(int level, int x, int y) {
    LevelSetEditor& editor = m_context.workspace.levelEditor();
    if (level != m_context.workspace.currentLevel())
        editor.setCurrentMap(level);
    if (x < 0 || y < 0)
        return;
    LevelMapCtrl* map = m_page.map();
    m_page.tools().select(MapSelection{x, y, x + 1, y + 1});
    const int pitch = map->controller().view.pitch() * map->zoom();
    for (QWidget* w = map->parentWidget(); w; w = w->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            scroll->ensureVisible(x * pitch + pitch / 2, y * pitch + pitch / 2,
                                  scroll->viewport()->width() / 2,
                                  scroll->viewport()->height() / 2);
            break;
        }
    map->update();
    map->setFocus();
}

void MapCheckPanel::sayErrorsAfterSave() {
    const LevelSet& set = m_context.workspace.levels();
    const CheckRules rules{m_context.symbols, profile(), set.featureFlags};
    int errors = 0;
    for (const Level& l : set.levels)
        errors += checkLevel(l, rules).errors();
    // Said once for a number of errors; the save itself went through.
    if (errors > 0 && errors != m_toldErrors)
        m_context.relay.message(std::to_string(errors) + (errors == 1 ? " error" : " errors") +
                                    " in the saved levels: the game may stop or misbehave on "
                                    "them (see \"Check\" on the map page).",
                                "Level check", MessageIcon::Exclamation);
    m_toldErrors = errors;
}

} // namespace zentrik::gui
