// The map page's widgets: its tool bar, menus and the controls beside the map.
#include "mapedit/CPropMapEdit.h"

#include "choosers/SpriteSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "context/AppContext.h"
#include "mapedit/MapStatisticsPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
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

constexpr const char* kFlagNames[] = {"Star sky", "Parallax sky", "Rain", "Snow"};
constexpr int kPenPictureZoom = 3;

QCheckBox* box(const char* text, const char* name, QWidget* parent = nullptr) {
    auto* b = new QCheckBox(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPushButton* button(const char* text, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

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
    add("Prev Level", "prevLevel", [this] { m_ws.levelEditor().prevLevel(); });
    add("Next Level", "nextLevel", [this] { m_ws.levelEditor().nextLevel(); });
    add("Goto Level", "gotoLevel", [this] {
        bool ok = false;
        const QString text = QInputDialog::getText(this, tr("Goto Level"), tr("Level number:"),
                                                   QLineEdit::Normal, QString(), &ok);
        if (ok)
            m_ws.levelEditor().gotoLevel(text.toStdString());
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
    add("Zoom", "zoom", [this] { m_map->setZoom(m_map->zoom() % LevelMapCtrl::kMaxZoom + 1); });
    addShortcuts();
}

void CPropMapEdit::addShortcuts() {
    action("cut")->setShortcut(QKeySequence::Cut);
    action("copy")->setShortcut(QKeySequence::Copy);
    action("paste")->setShortcut(QKeySequence::Paste);
    auto key = [this](const char* name, QList<QKeySequence> keys, auto slot) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        connect(a, &QAction::triggered, this, slot);
    };
    QList<QKeySequence> zoomIn = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    zoomIn.append(QKeySequence(Qt::CTRL | Qt::Key_Equal)); // "+" without Shift
    key("zoomIn", zoomIn, [this] { m_map->zoomBy(1); });
    key("zoomOut", QKeySequence::keyBindings(QKeySequence::ZoomOut), [this] { m_map->zoomBy(-1); });
    key("zoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { m_map->setZoom(1); });
    // The window menu from the keyboard, as a right click over the map draws instead.
    key("windowMenuKey", {QKeySequence(Qt::SHIFT | Qt::Key_F10)},
        [this] { m_windowMenu->popup(m_map->mapToGlobal(m_map->rect().center())); });
    addNavigationKeys();
    // Only while the focus is on this page: the pixel pages have the same keys.
    for (QAction* a : findChildren<QAction*>()) {
        if (a->shortcut().isEmpty())
            continue;
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
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
        // The next click on the map picks the cell; the tool in use comes back after it.
        if (tools().penMode() != PenMode::PickPosition)
            m_goTo3DReturn = tools().penMode();
        tools().setPenMode(PenMode::PickPosition);
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

} // namespace zentrik::gui
