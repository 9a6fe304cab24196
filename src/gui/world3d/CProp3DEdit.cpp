#include "world3d/CProp3DEdit.h"

#include "choosers/FlatColorSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "mapedit/CPropMapEdit.h"
#include "mapedit/LevelMapCtrl.h"
#include "world3d/CMiniMap.h"
#include "world3d/WinWolfCtrl.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

namespace zentrik::gui {

namespace {

const PageRegistration kPage("CProp3DEdit", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp3DEdit(c, parent);
});

// The planes the 3D view shares with the map page (the floor/ceiling bytes are its own).
EditPlane mapPlane(WorldEditPlane plane) {
    return plane == WorldEditPlane::Walls     ? EditPlane::Walls
           : plane == WorldEditPlane::Objects ? EditPlane::Objects
                                              : EditPlane::Floors;
}

WorldEditPlane worldPlane(EditPlane plane) {
    return plane == EditPlane::Walls     ? WorldEditPlane::Walls
           : plane == EditPlane::Objects ? WorldEditPlane::Objects
                                         : WorldEditPlane::Floors;
}

} // namespace

CProp3DEdit::CProp3DEdit(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("CProp3DEdit"));
    m_view = new WinWolfCtrl(context.clockRelay, this);
    m_mini = new CMiniMap(*m_view, context.clockRelay, this);
    auto* v = new QVBoxLayout(this);
    v->addWidget(buildToolBar());
    auto* h = new QHBoxLayout;
    h->addWidget(m_view, 1);
    h->addWidget(buildSidePanel());
    v->addLayout(h, 1);

    connect(m_view, &WinWolfCtrl::pressed, this, &CProp3DEdit::press);
    connect(m_view, &WinWolfCtrl::released, this, &CProp3DEdit::commitStroke);
    connect(m_view, &WinWolfCtrl::hovered, this, &CProp3DEdit::hover);
    connect(m_view, &WinWolfCtrl::viewerMoved, this, [this] {
        m_mini->refresh();
        showViewerOnMap();
        m_position->setText(
            QString::asprintf("X: %.2f  Y: %.2f  %i\xC2\xB0", m_view->motion().pose.x / 65536.0,
                              m_view->motion().pose.y / 65536.0, m_view->motion().pose.angle));
    });
    connect(m_mini, &CMiniMap::viewerChanged, m_view, [this] { emit m_view->viewerMoved(); });
    AppMessages& m = context.messages;
    connect(&m, &AppMessages::paletteSwitched, this, [this] {
        rebuildColors();
        feedFlatChoosers();
        redraw();
    });
    connect(&m, &AppMessages::editPlaneChanged, this, &CProp3DEdit::followMapPlane);
    connect(&m, &AppMessages::symbolsChanged, this, [this] {
        rebuildColors();
        reload();
    });
    connect(&m, &AppMessages::goTo3D, this, &CProp3DEdit::goTo);
    connect(&m, &AppMessages::turnTo3D, this, &CProp3DEdit::turnToward);
    // The view follows every edit of the maps (from the map page, undo, a load) and every
    // change of the walls and sprites it draws with.
    m_watch = context.workspace.changed.connect([this](const Change& c) {
        if (c.set == DataSet::Maps && c.kind == ChangeKind::Loaded)
            m_firstPlacement = true; // a new set starts on its player start
        if (c.set == DataSet::Maps)
            reload();
        else if (c.set == DataSet::Walls || c.set == DataSet::Sprites) {
            feedFlatChoosers();
            updateScene();
            redraw();
        }
    });
    m_levelWatch = context.workspace.currentLevelChanged.connect([this](int) { reload(); });
    rebuildColors();
    reload();
}

RenderOptions& CProp3DEdit::options() {
    return m_view->options();
}

FloorMode CProp3DEdit::floorMode() const {
    return m_view->options().floorMode;
}

CPropMapEdit* CProp3DEdit::mapPage() const {
    return window()->findChild<CPropMapEdit*>();
}

void CProp3DEdit::rebuildColors() {
    // The symbols' palette indices follow every palette switch, not only the first one.
    m_colors.rebuild(m_context.symbols.strip, m_context.palettes.current());
    m_standInWalls = symbolWalls(m_colors);
    m_view->setPalette(m_context.palettes.current());
}

void CProp3DEdit::updateScene() {
    Workspace& ws = m_context.workspace;
    // Until a page file is loaded the walls are drawn from their map symbols.
    const WallSet* walls =
        ws.isLoaded(DataSet::Walls) && ws.walls().count() > 0 ? &ws.walls() : &m_standInWalls;
    const SpriteSet* sprites = ws.isLoaded(DataSet::Sprites) ? &ws.sprites() : nullptr;
    m_view->setScene({&m_world, walls, sprites, &m_colors});
    m_mini->setSource(ws.levels().current(), &m_context.symbols.strip);
}

void CProp3DEdit::reload() {
    const Level* level = m_context.workspace.levels().current();
    m_world.build(level, m_context.symbols.objects, m_difficulty);
    bool placed = false;
    if (m_world.loaded() &&
        (m_firstPlacement || m_shownLevel != m_context.workspace.levels().currentLevel)) {
        // A new level starts on its own player start.
        if (placeViewerOnStart(m_view->motion().pose, m_world))
            m_firstPlacement = false;
        m_shownLevel = m_context.workspace.levels().currentLevel;
        placed = true;
    }
    if (options().floorMode == FloorMode::PlaneTextures && !m_world.hasThirdPlane())
        options().floorMode = FloorMode::None; // the third plane went away
    showFloorMode();
    updateScene();
    redraw();
    if (placed)
        emit m_view->viewerMoved(); // after updateScene: the minimap reads the new level
}

void CProp3DEdit::redraw() {
    m_view->redraw();
    m_mini->refresh();
    showViewerOnMap();
}

void CProp3DEdit::showViewerOnMap() {
    CPropMapEdit* maps = mapPage();
    if (!maps)
        return;
    const ViewerPose& p = m_view->motion().pose;
    maps->map()->setViewerMark(
        m_world.loaded() ? std::optional(QPointF(p.x, p.y) / 65536.0) : std::nullopt, p.angle);
}

void CProp3DEdit::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    reload();
    m_view->setFocus();
}

void CProp3DEdit::goTo(int x, int y) {
    placeViewerOnCell(m_view->motion().pose, x, y);
    m_firstPlacement = false;
    m_shownLevel = m_context.workspace.levels().currentLevel;
    redraw();
    emit m_view->viewerMoved();
    reportCell(x, y);
}

bool CProp3DEdit::goToPlayerStart() {
    if (!m_world.loaded() || !placeViewerOnStart(m_view->motion().pose, m_world))
        return false;
    redraw();
    emit m_view->viewerMoved();
    reportCell(m_world.playerStart()->x, m_world.playerStart()->y);
    return true;
}

void CProp3DEdit::reportCell(int x, int y) {
    const Level* level = m_context.workspace.levels().current();
    if (!level || level->planes[1].size() != size_t(kPlaneWords) || x < 0 || y < 0 ||
        x >= kMapSide || y >= kMapSide)
        return;
    const size_t index = size_t(y * kMapSide + x);
    m_hoverCellIndex = int(index);
    emit m_context.messages.mapCursor(x, y, level->planes[1][index], level->planes[0][index]);
}

void CProp3DEdit::turnToward(int x, int y) {
    ViewerPose& pose = m_view->motion().pose;
    const double dx = x + 0.5 - pose.x / 65536.0, dy = y + 0.5 - pose.y / 65536.0;
    if (dx == 0 && dy == 0)
        return;
    // Angles grow counter-clockwise from east; map y grows downward.
    const double degrees = std::atan2(-dy, dx) * 180 / 3.14159265358979;
    pose.angle = (int(std::lround(degrees)) % 360 + 360) % 360;
    redraw();
}

void CProp3DEdit::setDifficulty(int level) {
    m_difficulty = level;
    reload();
}

bool CProp3DEdit::setFloorMode(FloorMode mode) {
    const bool loaded = m_world.loaded();
    bool ok = mode == FloorMode::None || loaded;
    if (ok && mode == FloorMode::PlaneTextures && !m_world.hasThirdPlane()) {
        m_context.relay.message(
            "You need to activate the 3rd plane to use multiple floor and ceiling textures!",
            "3rd plane is missing!", MessageIcon::Exclamation);
        ok = false;
    }
    if (ok)
        options().floorMode = mode;
    showFloorMode();
    redraw();
    return ok;
}

void CProp3DEdit::showFloorMode() {
    if (!m_modes)
        return;
    const FloorMode mode = options().floorMode;
    m_modes->button(int(mode))->setChecked(true);
    // Floors and ceilings can be chosen and edited only while the view shows them.
    const bool flats = mode != FloorMode::None;
    m_selectFlat->setEnabled(flats);
    m_planes->button(int(WorldEditPlane::FlatTextures))->setEnabled(flats);
    if (!flats && m_plane == WorldEditPlane::FlatTextures)
        setEditPlane(WorldEditPlane::Walls);
    else if (m_plane == WorldEditPlane::FlatTextures)
        emit m_context.messages.flatPensShown(true, mode == FloorMode::Colors);
    if (m_flatColors && m_flatColors->isVisible() && mode != FloorMode::Colors)
        m_flatColors->hide();
    if (m_flatTextures && m_flatTextures->isVisible() && mode == FloorMode::Colors)
        m_flatTextures->hide();
}

void CProp3DEdit::setEditPlane(WorldEditPlane plane) {
    if (plane == WorldEditPlane::FlatTextures && floorMode() == FloorMode::None)
        plane = WorldEditPlane::Walls;
    const bool wasFlat = m_plane == WorldEditPlane::FlatTextures;
    m_plane = plane;
    m_planes->button(int(plane))->setChecked(true);
    if (plane == WorldEditPlane::FlatTextures) {
        emit m_context.messages.flatPensShown(true, floorMode() == FloorMode::Colors);
        return;
    }
    if (wasFlat)
        emit m_context.messages.flatPensShown(false, false);
    // The map page checks the same plane (and so do the tile lists' pens).
    const EditPlane shared = mapPlane(plane);
    if (m_context.editPlane != shared) {
        m_context.editPlane = shared;
        emit m_context.messages.editPlaneChanged();
    }
}

void CProp3DEdit::followMapPlane() {
    const WorldEditPlane plane = worldPlane(m_context.editPlane);
    if (plane != m_plane)
        setEditPlane(plane);
}

QWidget* CProp3DEdit::flatChooser() {
    if (!m_flatTextures) {
        m_flatTextures = new TextureSelectWnd(this, TextureSelectWnd::Cells::FlatTextures);
        m_flatColors = new FlatColorSelectWnd(this);
        connect(m_flatTextures, &TextureSelectWnd::tileChosen, this, &CProp3DEdit::setFlatPen);
        connect(m_flatColors, &FlatColorSelectWnd::flatChosen, this, &CProp3DEdit::setFlatPen);
        feedFlatChoosers();
    }
    if (floorMode() == FloorMode::Colors)
        return m_flatColors;
    return m_flatTextures;
}

void CProp3DEdit::feedFlatChoosers() {
    if (!m_flatTextures)
        return;
    Workspace& ws = m_context.workspace;
    m_flatTextures->setData(ws.isLoaded(DataSet::Walls) ? &ws.walls() : nullptr,
                            &m_context.palettes.current());
    m_flatColors->setColors(m_context.palettes.current());
    const int left = m_context.pens.left.flat, right = m_context.pens.right.flat;
    m_flatTextures->setFramed(left, right);
    m_flatColors->setPens(left, right);
}

void CProp3DEdit::setFlatPen(bool left, int value) {
    m_context.pens.of(left).flat = uint8_t(value);
    feedFlatChoosers();
    emit m_context.messages.pensUpdated(left, kPenFlat);
    setEditPlane(WorldEditPlane::FlatTextures);
}

uint16_t CProp3DEdit::penValue(int button) const {
    if (button == 3)
        return 0; // the middle button rubs out
    const Pen& pen = m_context.pens.of(button == 1);
    switch (m_plane) {
    case WorldEditPlane::Walls:
        return pen.wall;
    case WorldEditPlane::Objects:
        return pen.object;
    case WorldEditPlane::Floors:
        return pen.floor;
    case WorldEditPlane::FlatTextures:
        return pen.flat;
    }
    return 0;
}

void CProp3DEdit::press(const WorldPick& pick, int button, bool first, int /*row*/) {
    Level* level = m_context.workspace.levels().current();
    if (!level || !m_world.loaded())
        return;
    if (first) {
        if (m_context.quiet.ignoresPressAt(m_context.clockRelay.ticks()))
            return;
        m_stroke = EditStroke();
    }
    const CellChanges changes =
        applyWorldEdit(*level, m_world, m_context.symbols.objects, pick, m_plane, penValue(button),
                       options().floorMode, m_rules);
    if (changes.empty())
        return;
    m_stroke.add(changes);
    if (pick.kind == PickKind::Wall || m_plane == WorldEditPlane::Walls)
        options().hoverWall = pick.x * kMapSide + pick.y;
    redraw();
    reportCell(pick.x, pick.y); // the placed cell with its new values
}

void CProp3DEdit::commitStroke() {
    Level* level = m_context.workspace.levels().current();
    if (!level || m_stroke.empty())
        return;
    // The stroke was drawn live; it is taken back and done again inside one step of the maps'
    // history, which tells the map page, the statistics and this view.
    const EditStroke stroke = std::move(m_stroke);
    m_stroke = EditStroke();
    stroke.undo(*level);
    m_context.workspace.editLevel([&] { stroke.redo(*level); });
    if (CPropMapEdit* maps = mapPage())
        maps->map()->markDirty(); // the level map's picture shows the new cells
}

void CProp3DEdit::hover(const WorldPick& pick) {
    RenderOptions& o = options();
    const int wall = pick.kind == PickKind::Wall ? pick.x * kMapSide + pick.y : -1;
    // Floor cells always; ceiling cells where a click would change them.
    const bool ceilingEdits =
        m_plane == WorldEditPlane::FlatTextures && o.floorMode != FloorMode::None;
    const bool outlined =
        pick.kind == PickKind::Floor || (pick.kind == PickKind::Ceiling && ceilingEdits);
    const int cell = outlined ? pick.x * kMapSide + pick.y : -1;
    const bool ceiling = pick.kind == PickKind::Ceiling;
    if (wall == o.hoverWall && cell == o.hoverCell && ceiling == o.hoverCeiling)
        return;
    o.hoverWall = wall;
    o.hoverCell = cell;
    o.hoverCeiling = ceiling;
    const int index = pick.kind == PickKind::None ? -1 : pick.y * kMapSide + pick.x;
    if (index >= 0 && index != m_hoverCellIndex) {
        const Level* level = m_context.workspace.levels().current();
        if (level && level->planes[1].size() == size_t(kPlaneWords))
            emit m_context.messages.mapCursor(pick.x, pick.y, level->planes[1][size_t(index)],
                                              level->planes[0][size_t(index)]);
    }
    m_hoverCellIndex = index;
    m_view->redraw();
}

} // namespace zentrik::gui
