#include "mapedit/CPropMapEdit.h"

#include "app/AppContext.h"
#include "app/MainToolbar.h"
#include "app/PageRegistry.h"
#include "choosers/SpriteSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "mapedit/MapStatisticsPanel.h"
#include "platform/QtClipboard.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

constexpr const char* kFlagNames[] = {"Star sky", "Parallax sky", "Rain", "Snow"};
constexpr int kMaxZoom = 4;
constexpr int kPenPictureZoom = 3;

QCheckBox* box(const char* text, const char* name, QWidget* parent = nullptr) {
    auto* b = new QCheckBox(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

EditPlane planeOf(PenTarget target) {
    return target == PenTarget::Walls    ? EditPlane::Walls
           : target == PenTarget::Floors ? EditPlane::Floors
                                         : EditPlane::Objects;
}

QPushButton* button(const char* text, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

void ContextPrompter::message(const std::string& text, const std::string& caption,
                              MessageIcon icon) {
    if (m_context.prompter)
        m_context.prompter->message(text, caption, icon);
}

Answer ContextPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                            MessageIcon icon) {
    return m_context.prompter ? m_context.prompter->ask(text, caption, buttons, icon)
                              : negativeAnswerFor(buttons);
}

std::optional<std::string> ContextPrompter::openFile(const FileDialogRequest& request) {
    return m_context.prompter ? m_context.prompter->openFile(request) : std::nullopt;
}

std::optional<std::string> ContextPrompter::saveFile(const FileDialogRequest& request) {
    return m_context.prompter ? m_context.prompter->saveFile(request) : std::nullopt;
}

std::optional<std::string> ContextPrompter::chooseFolder(const std::string& title,
                                                         const std::string& initialPath) {
    return m_context.prompter ? m_context.prompter->chooseFolder(title, initialPath) : std::nullopt;
}

int ContextJobRunner::run(const JobWorker& worker) {
    if (m_context.jobs)
        return m_context.jobs->run(worker);
    InlineJobRunner inlineRunner;
    return inlineRunner.run(worker);
}

CPropMapEdit::CPropMapEdit(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_prompter(context), m_jobs(context),
      m_editor(context.levels, m_prompter), m_commands(m_editor, m_prompter) {
    setObjectName(QStringLiteral("CPropMapEdit"));
    m_files = std::make_unique<MapArchiveFiles>(
        m_editor, m_context.settings,
        MapFileServices{m_prompter, m_jobs, m_context.quiet, *m_context.clock,
                        [this](const std::string& suffix) { loadSymbolSetForSuffix(suffix); }});
    m_map = new LevelMapCtrl(*m_context.clock, m_context.quiet, m_prompter);
    m_map->setMovesWithGrid(false);
    m_stats = new MapStatisticsPanel;
    m_textureWnd = new TextureSelectWnd(this);
    m_spriteWnd = new SpriteSelectWnd(this);

    buildToolBar();
    buildMenus();
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("mapScroll"));
    scroll->setWidget(m_map);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setMinimumSize(kControlSideGrid + 4, kControlSideGrid + 4);
    auto* body = new QHBoxLayout;
    body->addWidget(scroll, 1);
    body->addWidget(buildSidePanel());
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_toolBar);
    top->addLayout(body, 1);

    wireTools();
    m_objects->setChecked(m_context.settings.objects != 0);
    m_floors->setChecked(m_context.settings.floors != 0);
    m_grid->setChecked(m_context.settings.grid != 0);
    m_map->setShowObjects(m_objects->isChecked(), false);
    m_map->setShowFloors(m_floors->isChecked(), false);
    m_map->setGrid(m_grid->isChecked(), false);
    m_profMode->setChecked(m_context.settings.profMode != 0);
    setProfMode(m_profMode->isChecked());
    m_map->view().strip = &m_context.symbols.strip;
    m_map->view().table = &m_context.symbols.objects;
    m_spriteWnd->setSymbols(&m_context.symbols);
    setChooserData(nullptr, nullptr, &m_context.palettes.current());
    pullPens();
    showLevel();
    // The main window's toolbar exists once the page sits in it.
    QTimer::singleShot(0, this, [this] { hookMainToolbar(); });
}

void CPropMapEdit::hookMainToolbar() {
    if (auto* bar = window()->findChild<MainToolbar*>()) {
        bar->setHandler(Command::LoadMaps, [this] { loadMaps(); });
        bar->setHandler(Command::SaveMaps, [this] { saveMaps(); });
    }
}

CPropMapEdit::~CPropMapEdit() = default;

void CPropMapEdit::buildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("mapToolBar"));
    auto add = [this](const char* text, const char* name, auto slot, bool checkable = false) {
        QAction* a = m_toolBar->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("Load maps...", "loadMaps", [this] { loadMaps(); });
    add("Save maps...", "saveMaps", [this] { saveMaps(); });
    add("Prev Level", "prevLevel", [this] { m_editor.prevLevel(); });
    add("Next Level", "nextLevel", [this] { m_editor.nextLevel(); });
    add("Goto Level", "gotoLevel", [this] {
        bool ok = false;
        const QString text = QInputDialog::getText(this, tr("Goto Level"), tr("Level number:"),
                                                   QLineEdit::Normal, QString(), &ok);
        if (ok)
            m_editor.gotoLevel(text.toStdString());
    });
    m_toolBar->addSeparator();
    auto* modes = new QActionGroup(this);
    const char* modeNames[][2] = {{"Pen", "modePen"},
                                  {"Pipette", "modePipette"},
                                  {"Fill", "modeFill"},
                                  {"Rectangle", "modeRectangle"},
                                  {"Rectangle Selection", "modeRectSelect"}};
    for (int m = 0; m < 5; ++m) {
        QAction* a = add(
            modeNames[m][0], modeNames[m][1], [this, m] { tools().setPenMode(PenMode(m)); }, true);
        modes->addAction(a);
        a->setChecked(m == 0);
    }
    m_toolBar->addSeparator();
    add("Cut", "cut", [this] { cut(); });
    add("Copy", "copy", [this] { copy(); });
    add(
        "Paste", "paste", [this] { paste(); }, true);
    add("Undo", "undo", [this] { doUndo(); })->setShortcut(QKeySequence::Undo);
    add("Redo", "redo", [this] { doRedo(); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_toolBar->addSeparator();
    auto* targets = new QActionGroup(this);
    targets->addAction(add(
        "Edit Walls", "editWalls", [this] { setPenTarget(PenTarget::Walls); }, true));
    targets->addAction(add(
        "Edit Floors", "editFloors", [this] { setPenTarget(PenTarget::Floors); }, true));
    targets->addAction(add(
        "Edit Objects", "editObjects", [this] { setPenTarget(PenTarget::Objects); }, true));
    action("editWalls")->setChecked(true);
    add(
        "Edit Top/Bottom", "editTopBottom", [this] { updateSplit(); }, true)
        ->setEnabled(false);
    add(
        "Edit 3rd Plane", "edit3rdPlane", [this](bool on) { setThirdPlaneEditing(on); }, true);
    m_toolBar->addSeparator();
    add("Map", "mapMenu", [this] { m_mapMenu->popup(QCursor::pos()); });
    add("Import/Export Map", "importExport", [this] { m_importMenu->popup(QCursor::pos()); });
    add("Zoom", "zoom", [this] { m_map->setZoom(m_map->zoom() % kMaxZoom + 1); });
}

QAction* CPropMapEdit::action(const char* objectName) const {
    return findChild<QAction*>(QString::fromLatin1(objectName));
}

void CPropMapEdit::buildMenus() {
    auto item = [this](QMenu* menu, const char* text, const char* name, auto slot) {
        QAction* a = menu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_mapMenu = new QMenu(this);
    item(m_mapMenu, "Clear Map", "clearMap", [this] { clearMap(); });
    item(m_mapMenu, "Init Map", "initMap", [this] { initMap(); });

    m_windowMenu = new QMenu(this);
    // The three selection windows belong to the main window; until it offers them the items
    // stay visible but disabled.
    for (const char* name : {"Horizontal", "Vertical", "List"})
        m_windowMenu->addAction(QString::fromLatin1(name))->setEnabled(false);
    QAction* tex =
        item(m_windowMenu, "Select Texture", "selectTexture", [this] { toggleChooser(true); });
    QAction* spr =
        item(m_windowMenu, "Select Object", "selectObject", [this] { toggleChooser(false); });
    tex->setCheckable(true);
    spr->setCheckable(true);
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this, tex, spr] {
        tex->setEnabled(m_wallSet && m_wallSet->count() > 0);
        spr->setEnabled(m_spriteSet && m_spriteSet->count() > 0);
        tex->setChecked(m_textureWnd->isVisible());
        spr->setChecked(m_spriteWnd->isVisible());
    });

    m_importMenu = new QMenu(this);
    item(m_importMenu, "Import Map", "importMap", [this] { importMap(); });
    item(m_importMenu, "Export Map", "exportMap", [this] { exportMap(); });
    item(m_importMenu, "Make Wall TestMap", "wallTestMap", [this] { makeWallTestMap(); });
    item(m_importMenu, "Make Object TestMap", "objectTestMap", [this] { makeObjectTestMap(); });
}

void CPropMapEdit::contextMenuEvent(QContextMenuEvent* e) {
    m_windowMenu->popup(e->globalPos());
}

QWidget* CPropMapEdit::buildSidePanel() {
    auto* panel = new QWidget;
    auto* v = new QVBoxLayout(panel);
    m_levelName = new QLabel;
    m_levelName->setObjectName(QStringLiteral("levelName"));
    m_counter = new QLabel;
    m_counter->setObjectName(QStringLiteral("levelCounter"));
    v->addWidget(m_levelName);
    v->addWidget(m_counter);
    m_objects = box("Objects", "showObjects");
    m_floors = box("Floors", "showFloors");
    m_grid = box("Grid", "showGrid");
    m_profMode = box("ProfMode", "profMode");
    m_profMode->setToolTip(QStringLiteral("Use Professional Mode"));
    for (QCheckBox* b : {m_objects, m_floors, m_grid, m_profMode})
        v->addWidget(b);

    v->addWidget(buildProfGroup());
    v->addWidget(m_stats);
    auto* go3d = button("Goto in 3DEdit", "goto3D");
    connect(go3d, &QPushButton::clicked, this, [this] {
        const CursorReport& c = tools().cursor();
        emit m_context.messages.goTo3D(std::max(c.x, 0), std::max(c.y, 0));
    });
    v->addWidget(go3d);
    m_cursor = new QLabel;
    m_cursor->setObjectName(QStringLiteral("cursorReport"));
    v->addWidget(m_cursor);
    v->addStretch(1);
    return panel;
}

QWidget* CPropMapEdit::buildProfGroup() {
    m_profGroup = new QWidget;
    auto* g = new QGridLayout(m_profGroup);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(new QLabel(QStringLiteral("MapName")), 0, 0);
    m_nameEdit = new QLineEdit;
    m_nameEdit->setObjectName(QStringLiteral("mapName"));
    m_nameEdit->setMaxLength(kLevelNameLength);
    g->addWidget(m_nameEdit, 0, 1);
    m_splitmap = box("Splitmap", "splitmap");
    m_splitmap->setToolTip(QStringLiteral("Split map into one lower and one higher byte plane"));
    m_thirdPlane = box("3rd Plane", "thirdPlane");
    m_thirdPlane->setToolTip(QStringLiteral("Use a 3rd Map-Plane"));
    g->addWidget(m_splitmap, 1, 0);
    g->addWidget(m_thirdPlane, 1, 1);
    m_featureFlags = box("Feature flags", "featureFlags");
    g->addWidget(m_featureFlags, 2, 0, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_flagBoxes[size_t(i)] = box(kFlagNames[i], "", nullptr);
        m_flagBoxes[size_t(i)]->setObjectName(QStringLiteral("flag%1").arg(i));
        g->addWidget(m_flagBoxes[size_t(i)], 3 + i / 2, i % 2);
    }
    m_addMap = button("Add Map", "addMap");
    m_deleteMap = button("Delete Map", "deleteMap");
    g->addWidget(m_addMap, 5, 0);
    g->addWidget(m_deleteMap, 5, 1);
    auto* tiles = new QGroupBox(QStringLiteral("Tile Numbers"));
    auto* tl = new QVBoxLayout(tiles);
    tl->addWidget(new QLabel(QStringLiteral("W/F:      O:")));
    m_penNumbers = new QLabel;
    m_penNumbers->setObjectName(QStringLiteral("penNumbers"));
    m_penNumbers->setMinimumHeight(2 * fontMetrics().height() + 4);
    tl->addWidget(m_penNumbers);
    auto* pictures = new QHBoxLayout;
    for (size_t i = 0; i < m_penPictures.size(); ++i) {
        m_penPictures[i] = new QLabel;
        m_penPictures[i]->setObjectName(QStringLiteral("penPicture%1").arg(i));
        m_penPictures[i]->setFixedSize(kSymbolSize * kPenPictureZoom + 2,
                                       kSymbolSize * kPenPictureZoom + 2);
        pictures->addWidget(m_penPictures[i]);
    }
    pictures->addStretch(1);
    tl->addLayout(pictures);
    auto* use = button("Click to Use !", "clickToUse");
    connect(use, &QPushButton::clicked, this, [this] { toggleChooser(tools().wallsMode()); });
    tl->addWidget(use);
    g->addWidget(tiles, 6, 0, 1, 2);
    return m_profGroup;
}

void CPropMapEdit::wireTools() {
    MapEditController& t = tools();
    t.onModified = [this] {
        if (!m_context.levels.mapsModified)
            m_editor.setMapsModified(true);
    };
    t.onStrokeBegin = [this] { strokeBegin(); };
    t.onStrokeEnd = [this] { strokeEnd(); };
    t.onPicked = [this](bool left, uint16_t wall, uint16_t object) {
        setPen(left, kPenObject, object);
        setPen(left, tools().target == PenTarget::Floors ? kPenFloor : kPenWall, wall);
    };
    t.onCursor = [this](const CursorReport& c) {
        m_cursor->setText(QString::asprintf("X: %i  Y: %i    ", c.x, c.y));
        emit m_context.messages.mapCursor(c.x, c.y, c.object, c.wall);
    };
    t.onPosition = [this](int x, int y) { emit positionPicked(x, y); };
    t.onPasteDone = [this] {
        action("paste")->setChecked(false);
        action("modeRectSelect")->setChecked(true);
    };
    t.onOverlay = [this] {
        m_map->update();
        updateClipboardActions();
    };

    m_editor.onShowLevel = [this](int) { showLevel(); };
    m_editor.onMapsModified = [this](bool modified) {
        m_context.changes.set(DataSet::Maps, modified);
        refresh();
    };
    wireControls();
    wireMessages();
}

void CPropMapEdit::wireControls() {
    connect(m_objects, &QCheckBox::toggled, this, [this](bool on) { m_map->setShowObjects(on); });
    connect(m_floors, &QCheckBox::toggled, this, [this](bool on) { m_map->setShowFloors(on); });
    connect(m_grid, &QCheckBox::toggled, this, [this](bool on) { m_map->setGrid(on); });
    connect(m_profMode, &QCheckBox::toggled, this, [this](bool on) { setProfMode(on); });
    connect(m_splitmap, &QCheckBox::toggled, this, [this](bool on) {
        action("editTopBottom")->setEnabled(on);
        updateSplit();
    });
    connect(m_thirdPlane, &QCheckBox::clicked, this, [this](bool on) {
        m_undo.beginSet(m_context.levels);
        const bool now = m_editor.setThirdPlane(on);
        m_thirdPlane->setChecked(now);
        if (!now)
            setThirdPlaneEditing(false);
        if (m_undo.endSet(m_context.levels))
            m_editor.setMapsModified(true);
        showLevel();
    });
    connect(m_featureFlags, &QCheckBox::toggled, this, [this](bool on) {
        m_editor.setFeatureFlagsEnabled(on);
        for (QCheckBox* b : m_flagBoxes)
            b->setEnabled(on);
    });
    for (size_t i = 0; i < m_flagBoxes.size(); ++i)
        connect(m_flagBoxes[i], &QCheckBox::clicked, this, [this, i](bool on) {
            m_editor.setFeatureFlag(kFeatureFlagBits[i], on);
            m_editor.setMapsModified(true);
        });
    connect(m_addMap, &QPushButton::clicked, this, [this] {
        m_undo.beginSet(m_context.levels);
        m_editor.addMap();
        m_undo.endSet(m_context.levels);
    });
    connect(m_deleteMap, &QPushButton::clicked, this, [this] {
        m_undo.beginSet(m_context.levels);
        m_editor.deleteMap();
        m_undo.endSet(m_context.levels);
    });
    connect(m_nameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (Level* l = m_context.levels.current()) {
            l->header.setName(text.toStdString());
            m_levelName->setText(text);
            m_editor.setMapsModified(true);
        }
    });
    m_stats->onDifficulty = [this](int i, bool on) { m_map->setDifficulty(i, on); };
}

void CPropMapEdit::wireMessages() {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { updateClipboardActions(); });
    connect(m_textureWnd, &TextureSelectWnd::tileChosen, this,
            [this](bool left, int tile) { setPen(left, kPenWall, uint16_t(tile)); });
    connect(m_spriteWnd, &SpriteSelectWnd::objectChosen, this,
            [this](bool left, int value) { setPen(left, kPenObject, uint16_t(value)); });
    AppMessages& m = m_context.messages;
    connect(&m, &AppMessages::pensUpdated, this, [this] { pullPens(); });
    connect(&m, &AppMessages::symbolsChanged, this, [this] { symbolsChanged(); });
    connect(&m, &AppMessages::paletteSwitched, this, [this] {
        m_textureWnd->update();
        m_spriteWnd->update();
    });
    connect(&m, &AppMessages::editPlaneChanged, this, [this] {
        const EditPlane p = m_context.editPlane;
        if (planeOf(tools().target) == p)
            return; // our own announcement, or nothing to switch
        const char* name = p == EditPlane::Walls    ? "editWalls"
                           : p == EditPlane::Floors ? "editFloors"
                                                    : "editObjects";
        if (action(name)->isEnabled()) {
            // The action's own handler finds the plane already set and stays silent.
            action(name)->trigger();
            return;
        }
        // Objects cannot be edited while the third plane is: the context keeps the plane the
        // map really edits, so a pen change of kind 0 still lands where the user draws.
        m_context.editPlane = planeOf(tools().target);
    });
}

void CPropMapEdit::showLevel() {
    LevelSet& set = m_context.levels;
    Level* level = set.current();
    if (level && level->planes[1].size() == size_t(kPlaneWords))
        m_map->setPlanes(m_editor.wallPlane(), &level->planes[1]);
    else
        m_map->setPlanes(nullptr, nullptr);
    const LevelPageState st = levelPageState(set);
    m_levelName->setText(QString::fromStdString(st.name));
    m_counter->setText(QString::fromStdString(st.counterText));
    if (!m_nameEdit->hasFocus())
        m_nameEdit->setText(QString::fromStdString(st.name));
    action("prevLevel")->setEnabled(st.prevEnabled);
    action("nextLevel")->setEnabled(st.nextEnabled);
    action("gotoLevel")->setEnabled(st.gotoEnabled);
    m_addMap->setEnabled(st.addEnabled);
    m_deleteMap->setEnabled(st.deleteEnabled);
    for (size_t i = 0; i < m_flagBoxes.size(); ++i) {
        m_flagBoxes[i]->setChecked(st.flags[i]);
        m_flagBoxes[i]->setEnabled(set.featureFlags);
    }
    m_featureFlags->setChecked(set.featureFlags);
    m_thirdPlane->setChecked(set.thirdPlane);
    if (!set.thirdPlane && action("edit3rdPlane")->isChecked())
        setThirdPlaneEditing(false);
    action("edit3rdPlane")->setEnabled(set.thirdPlane);
    const bool loaded = !set.empty();
    for (const char* name : {"saveMaps", "cut", "copy", "paste"})
        action(name)->setEnabled(loaded);
    for (QAction* a : m_mapMenu->actions())
        a->setEnabled(loaded);
    for (QAction* a : m_importMenu->actions())
        a->setEnabled(loaded);
    refresh();
}

void CPropMapEdit::refresh() {
    const Level* level = m_context.levels.current();
    if (level && level->planes[1].size() == size_t(kPlaneWords))
        m_stats->showCounts(countLevel(*level, m_context.symbols.objects));
    else
        m_stats->clear();
    updateClipboardActions();
    updatePens();
    action("undo")->setEnabled(m_undo.canUndo());
    action("redo")->setEnabled(m_undo.canRedo());
    m_map->update();
}

void CPropMapEdit::updateClipboardActions() {
    const bool loaded = !m_context.levels.empty();
    action("copy")->setEnabled(loaded && tools().hasSelection());
    action("cut")->setEnabled(loaded && tools().hasSelection());
    action("paste")->setEnabled(loaded && hasMapClip());
}

void CPropMapEdit::updatePens() {
    const MapEditController& t = m_map->controller();
    const bool floors = t.target == PenTarget::Floors;
    m_penNumbers->setText(QStringLiteral("L: %1  %2\nR: %3  %4")
                              .arg(floors ? t.left.floor : t.left.wall)
                              .arg(t.left.object)
                              .arg(floors ? t.right.floor : t.right.wall)
                              .arg(t.right.object));
    m_textureWnd->setPens(t.left.wall, t.right.wall);
    m_spriteWnd->setPens(t.left.object, t.right.object);
    // Left wall or floor, left object, right wall or floor, right object.
    const std::array<std::pair<bool, uint16_t>, 4> shown{{
        {false, floors ? t.left.floor : t.left.wall},
        {true, t.left.object},
        {false, floors ? t.right.floor : t.right.wall},
        {true, t.right.object},
    }};
    for (size_t i = 0; i < shown.size(); ++i) {
        const QImage img = m_context.symbolImage(shown[i].first, shown[i].second);
        m_penPictures[i]->setPixmap(
            img.isNull() ? QPixmap()
                         : QPixmap::fromImage(img.scaled(img.size() * kPenPictureZoom)));
    }
}

void CPropMapEdit::setPenTarget(PenTarget target) {
    tools().target = target;
    const EditPlane plane = planeOf(target);
    if (m_context.editPlane != plane) {
        m_context.editPlane = plane;
        emit m_context.messages.editPlaneChanged();
    }
    updatePens();
}

void CPropMapEdit::pullPens() {
    for (bool left : {true, false}) {
        const Pen& p = m_context.pens.of(left);
        (left ? tools().left : tools().right) = MapPen{p.wall, p.object, p.floor};
    }
    updatePens();
}

void CPropMapEdit::setPen(bool left, int kind, uint16_t value) {
    Pen& p = m_context.pens.of(left);
    (kind == kPenWall ? p.wall : kind == kPenObject ? p.object : p.floor) = value;
    pullPens();
    emit m_context.messages.pensUpdated(left, kind);
}

void CPropMapEdit::symbolsChanged() {
    m_spriteWnd->setSymbols(&m_context.symbols);
    m_map->markDirty();
    refresh();
}

void CPropMapEdit::setThirdPlaneEditing(bool on) {
    on = on && m_context.levels.thirdPlane;
    QAction* toggle = action("edit3rdPlane");
    const bool was = m_editor.thirdPlaneEditing();
    m_editor.setThirdPlaneEditing(on);
    toggle->setChecked(on);
    action("editObjects")->setEnabled(!on);
    if (on && !was) {
        action("editWalls")->setChecked(true);
        setPenTarget(PenTarget::Walls);
        m_objectsBeforeThirdPlane = m_objects->isChecked();
        m_objects->setChecked(false);
    } else if (!on && was) {
        m_objects->setChecked(m_objectsBeforeThirdPlane);
    }
    m_map->setThirdPlaneEditing(on);
    if (on != was)
        showLevel();
}

void CPropMapEdit::setProfMode(bool on) {
    m_profGroup->setVisible(on);
    m_stats->setVisible(!on);
}

void CPropMapEdit::updateSplit() {
    SplitMode split = SplitMode::Whole;
    if (m_splitmap->isChecked())
        split = action("editTopBottom")->isChecked() ? SplitMode::HighByte : SplitMode::LowByte;
    m_map->setSplit(split);
}

void CPropMapEdit::setSymbolSet(SymbolSet set) {
    m_context.symbols = std::move(set);
    emit m_context.messages.symbolsChanged();
}

void CPropMapEdit::setChooserData(const WallSet* walls, const SpriteSet* sprites,
                                  const GamePalette* palette) {
    m_wallSet = walls;
    m_spriteSet = sprites;
    m_palette = palette;
    m_textureWnd->setData(walls, palette);
    m_spriteWnd->setData(sprites, palette);
}

void CPropMapEdit::toggleChooser(bool texture) {
    QWidget* w = texture ? static_cast<QWidget*>(m_textureWnd) : m_spriteWnd;
    w->setVisible(!w->isVisible());
}

static PageRegistration reg("CPropMapEdit", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPropMapEdit(c, parent);
});

} // namespace zentrik::gui
