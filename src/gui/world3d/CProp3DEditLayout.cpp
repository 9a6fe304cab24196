// The 3DEdit page's controls: the tool bar of choosers, edit planes, floor modes and
// difficulty, and the side panel with the minimap, the switches, the keys and the levels.
#include "choosers/FlatColorSelectWnd.h"
#include "choosers/SpriteSelectWnd.h"
#include "choosers/TextureSelectWnd.h"
#include "context/AppContext.h"
#include "mapedit/CPropMapEdit.h"
#include "world3d/CMiniMap.h"
#include "world3d/CProp3DEdit.h"
#include "world3d/WinWolfCtrl.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace zentrik::gui {

namespace {

QPushButton* pushButton(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QToolButton* toolButton(const char* text, const char* name, const char* tip, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(QString::fromUtf8(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(tip));
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

QWidget* CProp3DEdit::buildToolBar() {
    // Two rows: the choosers and the difficulty, then the edit planes and the floor modes.
    auto* bar = new QWidget(this);
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* h = new QHBoxLayout;
    auto* h2 = new QHBoxLayout;
    rows->addLayout(h);
    rows->addLayout(h2);
    auto* texture = pushButton("Select Texture", "selectTexture", bar);
    auto* object = pushButton("Select Object", "selectObject", bar);
    auto* flat = pushButton("Select Floor/Ceiling", "selectFlat", bar);
    connect(texture, &QPushButton::clicked, this, [this] {
        if (CPropMapEdit* maps = mapPage())
            maps->textureChooser()->show();
    });
    connect(object, &QPushButton::clicked, this, [this] {
        if (CPropMapEdit* maps = mapPage())
            maps->spriteChooser()->show();
    });
    m_selectFlat = flat;
    connect(flat, &QPushButton::clicked, this, [this] {
        QWidget* chooser = flatChooser();
        chooser->show();
        chooser->raise();
    });
    auto* start = pushButton("Go to player start", "goToStart", bar);
    start->setToolTip(QStringLiteral("Put the viewer on the level's player start (Home)"));
    connect(start, &QPushButton::clicked, this, [this] { goToPlayerStart(); });
    auto* home = new QAction(this);
    home->setObjectName(QStringLiteral("goToStartKey"));
    home->setShortcut(QKeySequence(Qt::Key_Home));
    home->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(home, &QAction::triggered, this, [this] { goToPlayerStart(); });
    addAction(home);
    auto* check = pushButton("Level check", "levelCheck", bar);
    check->setToolTip(QStringLiteral("Show what the level check finds on this level (map page)"));
    connect(check, &QPushButton::clicked, this, &CProp3DEdit::levelCheckRequested);
    for (QPushButton* w : {texture, object, flat, start, check})
        h->addWidget(w);

    buildPlaneButtons(h2);

    auto* levels = new QButtonGroup(this);
    for (int d : {kDifficultyEasy, kDifficultyMedium, kDifficultyAll}) {
        const QByteArray name = "difficulty" + QByteArray::number(d);
        const QByteArray tip = "Show actors up to difficulty " + QByteArray::number(d);
        auto* b =
            toolButton(QByteArray::number(d).constData(), name.constData(), tip.constData(), bar);
        levels->addButton(b, d);
        h->addWidget(b);
        b->setChecked(d == kDifficultyAll);
    }
    connect(levels, &QButtonGroup::idClicked, this, [this](int d) { setDifficulty(d); });
    h->addStretch(1);
    h2->addStretch(1);
    return bar;
}

void CProp3DEdit::buildPlaneButtons(QHBoxLayout* h2) {
    m_planes = new QButtonGroup(this);
    const char* planeNames[][2] = {{"Edit Walls", "editWalls"},
                                   {"Edit Objects", "editObjects"},
                                   {"Edit Floors", "editFloors"},
                                   {"Edit floor/ceiling textures", "editFlats"}};
    for (int p = 0; p < 4; ++p) {
        auto* b = toolButton(planeNames[p][0], planeNames[p][1], planeNames[p][0], this);
        m_planes->addButton(b, p);
        h2->addWidget(b);
        b->setChecked(p == 0);
    }
    connect(m_planes, &QButtonGroup::idClicked, this,
            [this](int id) { setEditPlane(WorldEditPlane(id)); });

    m_modes = new QButtonGroup(this);
    const char* modeTips[] = {
        "No floor and ceiling",
        "Floor (low byte) and ceiling (high byte) colors saved in mapsegs[0][0]",
        "Single floor (low) and ceiling (high) textures saved in mapsegs[0][0]",
        "Multiple floor (low) and ceiling (high) textures saved in third plane"};
    for (int m = 0; m < 4; ++m) {
        const QByteArray name = "floorMode" + QByteArray::number(m);
        auto* b =
            toolButton(QByteArray::number(m).constData(), name.constData(), modeTips[m], this);
        m_modes->addButton(b, m);
        h2->addWidget(b);
    }
    connect(m_modes, &QButtonGroup::idClicked, this,
            [this](int id) { setFloorMode(FloorMode(id)); });
}

QWidget* CProp3DEdit::buildSidePanel() {
    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->addWidget(m_mini);
    auto box = [&](const char* text, const char* name, const char* tip, bool on) {
        auto* b = new QCheckBox(QString::fromUtf8(text), panel);
        b->setObjectName(QString::fromLatin1(name));
        if (tip)
            b->setToolTip(QString::fromUtf8(tip));
        b->setChecked(on);
        b->setFocusPolicy(Qt::NoFocus);
        v->addWidget(b);
        return b;
    };
    auto* symbols = box("Show floor symbols", "floorSymbols", nullptr, false);
    auto* marks = box("Hide direction marks", "hideMarks", nullptr, false);
    auto* clip = box("Clip moves", "clipMoves", "Don't walk through walls", true);
    auto* doors = box("Lock door editing", "lockDoors", "Don't change doors", false);
    auto* pushwalls =
        box("Lock pushwall editing", "lockPushwalls", "Only change texture for pushwalls", false);
    auto* look =
        box("Free look", "freeLook", "The right button turns the view and edits nothing", false);
    connect(symbols, &QCheckBox::toggled, this, [this](bool on) {
        options().floorSymbols = on && m_world.loaded();
        redraw();
    });
    connect(marks, &QCheckBox::toggled, this, [this](bool on) {
        options().hideDirectionMarks = on;
        redraw();
    });
    connect(clip, &QCheckBox::toggled, this, [this](bool on) { m_view->motion().clip = on; });
    connect(doors, &QCheckBox::toggled, this, [this](bool on) { m_rules.lockDoors = on; });
    connect(pushwalls, &QCheckBox::toggled, this, [this](bool on) { m_rules.lockPushwalls = on; });
    connect(look, &QCheckBox::toggled, this, [this](bool on) { m_view->setFreeLook(on); });

    for (const char* keys : {"Arrows or WASD - Walk", "Shift - Run", "Alt or Ctrl - Strafe"})
        v->addWidget(new QLabel(QString::fromUtf8(keys), panel));
    m_position = new QLabel(panel);
    m_position->setObjectName(QStringLiteral("viewerPosition"));
    v->addWidget(m_position);
    const char* levelActions[][2] = {
        {"Prev Level", "prevLevel"}, {"Goto Level", "gotoLevel"}, {"Next Level", "nextLevel"}};
    for (const auto& a : levelActions) {
        auto* b = pushButton(a[0], a[1], panel);
        const QString action = QString::fromLatin1(a[1]);
        connect(b, &QPushButton::clicked, this, [this, action] {
            // The level list belongs to the map page; its commands move both pages.
            if (CPropMapEdit* maps = mapPage())
                if (QAction* act = maps->action(action.toLatin1().constData()))
                    act->trigger();
            reload();
            m_view->setFocus();
        });
        v->addWidget(b);
    }
    v->addStretch(1);
    return panel;
}

} // namespace zentrik::gui
