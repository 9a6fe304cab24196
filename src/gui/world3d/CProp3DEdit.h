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
    void setEditPlane(WorldEditPlane plane) { m_plane = plane; }
    void setDifficulty(int level);
    void goTo(int x, int y);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* buildToolBar();
    void buildPlaneButtons(QHBoxLayout* row, QPushButton* flat);
    QWidget* buildSidePanel();
    void press(const WorldPick& pick, int button, bool first, int row);
    void commitStroke();
    void hover(const WorldPick& pick);
    void rebuildColors();
    void updateScene();
    void redraw();
    // The viewer's mark on the level map follows every move.
    void showViewerOnMap();
    CPropMapEdit* mapPage() const;
    uint16_t penValue(int button) const;
    RenderOptions& options();

    AppContext& m_context;
    WinWolfCtrl* m_view = nullptr;
    CMiniMap* m_mini = nullptr;
    QButtonGroup* m_modes = nullptr;
    QLabel* m_position = nullptr;
    WorldMap m_world;
    FloorSymbolColors m_colors;
    WallSet m_standInWalls;
    WorldEditPlane m_plane = WorldEditPlane::Walls;
    WorldEditRules m_rules;
    EditStroke m_stroke;
    std::array<uint8_t, 2> m_flatPens{0, 0}; // left, right
    int m_difficulty = 4;
    int m_shownLevel = -1;
    bool m_firstPlacement = true;
    int m_hoverCellIndex = -1;
    Connection m_watch, m_levelWatch;
};

} // namespace zentrik::gui
