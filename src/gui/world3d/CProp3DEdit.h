#pragma once

#include "app/Signal.h"
#include "world/RayCaster.h"
#include "world/WorldEdit.h"
#include "world/WorldMap.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QLabel;

namespace zentrik::gui {

class AppContext;
class CMiniMap;
class CPropMapEdit;
class FlatColorSelectWnd;
class TextureSelectWnd;
class WinWolfCtrl;

// The "3DEdit" page: the 3D view of the current level with its minimap, walking and editing
// the level from the picture. Each stroke of the mouse is one undo step of the map page.
class CProp3DEdit : public QWidget {
    Q_OBJECT
public:
    explicit CProp3DEdit(AppContext& context, QWidget* parent = nullptr);

    WinWolfCtrl* view() const { return m_view; }
    CMiniMap* miniMap() const { return m_mini; }
    const WorldMap& world() const { return m_world; }
    // Rebuilds the tile map and things from the current level (tab shown, level changed).
    void reload();
    // The floor mode buttons: false (mode kept) when the mode cannot be used now.
    bool setFloorMode(FloorMode mode);
    FloorMode floorMode() const;
    // The edit plane buttons: walls, objects and floors are the map page's planes too; the
    // floor/ceiling bytes are the 3D view's own and need a floor mode.
    void setEditPlane(WorldEditPlane plane);
    WorldEditPlane editPlane() const { return m_plane; }
    // "Select Floor/Ceiling": the colour or the texture chooser, by floor mode.
    QWidget* flatChooser();
    // A choice of the chooser: the pen's floor/ceiling byte; the view then edits that plane.
    void setFlatPen(bool left, int value);
    void setDifficulty(int level);
    void goTo(int x, int y);
    // "Go to player start" (and Home): the viewer back on the level's start, looking its way.
    bool goToPlayerStart();
    // Looks toward the middle of cell (x, y) without moving.
    void turnToward(int x, int y);

signals:
    // "Level check": the user wants the problems of this level (shown on the map page).
    void levelCheckRequested();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* buildToolBar();
    void buildPlaneButtons(QHBoxLayout* row);
    // The floor mode's buttons and what it allows (the flat chooser and plane).
    void showFloorMode();
    void followMapPlane();
    void feedFlatChoosers();
    QWidget* buildSidePanel();
    void press(const WorldPick& pick, int button, bool first, int row);
    void commitStroke();
    void hover(const WorldPick& pick);
    void rebuildColors();
    void updateScene();
    void redraw();
    // The viewer's mark on the level map follows every move.
    void showViewerOnMap();
    // The side panel's cell line shows (x, y) with what lies there: the cell in use.
    void reportCell(int x, int y);
    CPropMapEdit* mapPage() const;
    uint16_t penValue(int button) const;
    RenderOptions& options();

    AppContext& m_context;
    WinWolfCtrl* m_view = nullptr;
    CMiniMap* m_mini = nullptr;
    QButtonGroup* m_modes = nullptr;
    QButtonGroup* m_planes = nullptr;
    QPushButton* m_selectFlat = nullptr;
    TextureSelectWnd* m_flatTextures = nullptr;
    FlatColorSelectWnd* m_flatColors = nullptr;
    QLabel* m_position = nullptr;
    WorldMap m_world;
    FloorSymbolColors m_colors;
    WallSet m_standInWalls;
    WorldEditPlane m_plane = WorldEditPlane::Walls;
    WorldEditRules m_rules;
    EditStroke m_stroke;
    int m_difficulty = 4;
    int m_shownLevel = -1;
    bool m_firstPlacement = true;
    int m_hoverCellIndex = -1;
    Connection m_watch, m_levelWatch;
};

} // namespace zentrik::gui
