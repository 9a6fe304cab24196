#include "mapedit/CPropMapEdit.h"

#include "choosers/ChooserImages.h"
#include "choosers/SpriteSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "mapedit/EditPlaneBar.h"
#include "mapedit/LevelPictureExport.h"
#include "mapedit/MapCheckPanel.h"
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
#include <QToolBar>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

constexpr int kPenPictureZoom = 3;

EditPlane planeOf(PenTarget target) {
    return target == PenTarget::Walls    ? EditPlane::Walls
           : target == PenTarget::Floors ? EditPlane::Floors
                                         : EditPlane::Objects;
}

} // namespace

CPropMapEdit::CPropMapEdit(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_ws(context.workspace), m_prompter(context.relay),
      m_jobs(context.jobRelay), m_commands(m_ws.levelEditor(), m_prompter) {
    setObjectName(QStringLiteral("CPropMapEdit"));
    m_map = new LevelMapCtrl(m_context.clockRelay, m_context.quiet, m_prompter);
    m_map->setMovesWithGrid(false);
    m_stats = new MapStatisticsPanel;
    m_textureWnd = new TextureSelectWnd(this);
    m_spriteWnd = new SpriteSelectWnd(this);

    buildToolBar();
    buildMenus();
    m_planeBar = new EditPlaneBar(
        {action("editWalls"), action("editFloors"), action("editObjects")}, action("edit3rdPlane"));
    addLevelPictureExport(m_context, *this);
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
    top->addWidget(m_planeBar);
    top->addLayout(body, 1);
    top->addWidget(new MapCheckPanel(m_context, *this));

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
    feedChoosers();
    pullPens();
    showLevel();
}

CPropMapEdit::~CPropMapEdit() = default;

void CPropMapEdit::wireTools() {
    MapEditController& t = tools();
    auto& c = m_connections;
    c.push_back(t.strokeBegin.connect([this] { strokeBegin(); }));
    c.push_back(t.strokeEnd.connect([this] { strokeEnd(); }));
    c.push_back(t.picked.connect([this](bool left, uint16_t wall, uint16_t object) {
        setPen(left, kPenObject, object);
        setPen(left, tools().target == PenTarget::Floors ? kPenFloor : kPenWall, wall);
    }));
    c.push_back(t.cursorMoved.connect([this](const CursorReport& r) {
        m_cursor->setText(QString::asprintf("X: %i  Y: %i    ", r.x, r.y));
        emit m_context.messages.mapCursor(r.x, r.y, r.object, r.wall);
    }));
    c.push_back(t.positionPicked.connect([this](int x, int y) {
        emit positionPicked(x, y);
        if (m_goTo3DReturn) {
            tools().setPenMode(*m_goTo3DReturn);
            m_goTo3DReturn.reset();
            emit m_context.messages.goTo3D(x, y);
        }
    }));
    c.push_back(t.pasteDone.connect([this] {
        action("paste")->setChecked(false);
        action("modeRectSelect")->setChecked(true);
    }));
    c.push_back(t.overlayChanged.connect([this] { updateClipboardActions(); }));

    c.push_back(m_ws.currentLevelChanged.connect([this](int level) {
        if (level != m_shownLevel)
            m_cursor->clear(); // the cell reported lay on another level
        m_shownLevel = level;
        showLevel();
    }));
    c.push_back(m_ws.changed.connect([this](const Change& change) {
        if (change.set == DataSet::Walls || change.set == DataSet::Sprites)
            feedChoosers();
        if (change.set != DataSet::Maps)
            return;
        if (change.kind == ChangeKind::Loaded)
            m_cursor->clear();
        refresh();
    }));
    // The buttons follow the history after every command, not only when a level is shown.
    c.push_back(history().changed.connect([this] { updateUndoActions(); }));
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
        const bool now = m_ws.setThirdPlane(on);
        m_thirdPlane->setChecked(now);
        if (!now)
            setThirdPlaneEditing(false);
        showLevel();
    });
    connect(m_featureFlags, &QCheckBox::toggled, this, [this](bool on) {
        m_ws.levelEditor().setFeatureFlagsEnabled(on);
        for (QCheckBox* b : m_flagBoxes)
            b->setEnabled(on);
    });
    for (size_t i = 0; i < m_flagBoxes.size(); ++i)
        connect(m_flagBoxes[i], &QCheckBox::clicked, this,
                [this, i](bool on) { m_ws.setFeatureFlag(kFeatureFlagBits[i], on); });
    connect(m_addMap, &QPushButton::clicked, this, [this] { m_ws.addMap(); });
    connect(m_deleteMap, &QPushButton::clicked, this, [this] { m_ws.deleteMap(); });
    connect(m_nameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_ws.renameLevel(text.toStdString()))
            m_levelName->setText(text);
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
    connect(&m, &AppMessages::paletteSwitched, this, [this] { feedChoosers(); });
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
            m_planeBar->showPlane(true); // switched from elsewhere: make sure it is seen
            return;
        }
        // Objects cannot be edited while the third plane is: the context keeps the plane the
        // map really edits, so a pen change of kind 0 still lands where the user draws.
        m_context.editPlane = planeOf(tools().target);
    });
}

void CPropMapEdit::showLevel() {
    LevelSet& set = m_ws.levels();
    Level* level = set.current();
    if (level && level->planes[1].size() == size_t(kPlaneWords))
        m_map->setPlanes(m_ws.levelEditor().wallPlane(), &level->planes[1]);
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
    const Level* level = m_ws.levels().current();
    if (level && level->planes[1].size() == size_t(kPlaneWords))
        m_stats->showCounts(countLevel(*level, m_context.symbols.objects));
    else
        m_stats->clear();
    updateClipboardActions();
    updatePens();
    updateUndoActions();
    m_map->update();
}

void CPropMapEdit::updateUndoActions() {
    action("undo")->setEnabled(history().canUndo());
    action("redo")->setEnabled(history().canRedo());
}

void CPropMapEdit::updateClipboardActions() {
    const bool loaded = !m_ws.levels().empty();
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
        QImage img = penPicture(shown[i].first, shown[i].second, floors);
        if (img.isNull()) {
            img = m_context.symbolImage(shown[i].first, shown[i].second);
            img = img.scaled(img.size() * kPenPictureZoom);
        }
        m_penPictures[i]->setPixmap(img.isNull() ? QPixmap() : QPixmap::fromImage(img));
    }
}

QImage CPropMapEdit::penPicture(bool object, uint16_t value, bool floors) const {
    // With the page file loaded a pen shows what the game shows; else its map symbol.
    const int side = kSymbolSize * kPenPictureZoom;
    if (!m_palette)
        return {};
    if (object) {
        const int sprite = m_spriteWnd->spriteOfValue(value);
        if (sprite >= 0 && m_spriteSet && m_spriteSet->images[size_t(sprite)])
            return chooserImage(*m_spriteSet->images[size_t(sprite)], *m_palette, side);
        return {};
    }
    const int texture = 2 * int(value) - 2; // the first of the tile's two textures
    if (floors || !m_wallSet || value == 0 || texture >= m_wallSet->count() ||
        !m_wallSet->images[size_t(texture)])
        return {};
    return chooserImage(*m_wallSet->images[size_t(texture)], *m_palette, side);
}

void CPropMapEdit::feedChoosers() {
    setChooserData(m_ws.isLoaded(DataSet::Walls) ? &m_ws.walls() : nullptr,
                   m_ws.isLoaded(DataSet::Sprites) ? &m_ws.sprites() : nullptr,
                   &m_context.palettes.current());
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
    on = on && m_ws.levels().thirdPlane;
    QAction* toggle = action("edit3rdPlane");
    const bool was = m_ws.levelEditor().thirdPlaneEditing();
    m_ws.levelEditor().setThirdPlaneEditing(on);
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
    updatePens();
}

void CPropMapEdit::toggleChooser(bool texture) {
    QWidget* w = texture ? static_cast<QWidget*>(m_textureWnd) : m_spriteWnd;
    w->setVisible(!w->isVisible());
}

static PageRegistration reg("CPropMapEdit", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPropMapEdit(c, parent);
});

} // namespace zentrik::gui
