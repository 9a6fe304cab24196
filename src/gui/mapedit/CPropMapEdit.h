#pragma once

#include "app/Workspace.h"
#include "imaging/Palette.h"
#include "mapedit/LevelMapCtrl.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapCommands.h"
#include "pagefile/PageFile.h"
#include "world/SymbolSet.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;

namespace zentrik {
struct MapFileContent;
}

namespace zentrik::gui {

class AppContext;
class EditPlaneBar;
class MapStatisticsPanel;
class TextureSelectWnd;
class SpriteSelectWnd;

// The "MapEdit" page: the level map with its switches, the level list commands, the feature
// flags, the pens' numbers, the statistics, the tool bar and the three context menus.
class CPropMapEdit : public QWidget {
    Q_OBJECT
public:
    CPropMapEdit(AppContext& context, QWidget* parent = nullptr);
    ~CPropMapEdit() override;

    LevelMapCtrl* map() const { return m_map; }
    LevelSetEditor& editor() { return m_ws.levelEditor(); }
    MapEditController& tools() { return m_map->controller(); }
    UndoHistory& history() { return m_ws.history(DataSet::Maps); }
    // The program's symbol set: replaced here, announced to every view.
    void setSymbolSet(SymbolSet set);
    // After a load: the extension of the map file's suffix becomes current (its names,
    // symbols and palette).
    void loadSymbolSetForSuffix(const std::string& suffix);

    // The commands, also reachable from the tool bar and the menus.
    bool loadMaps();
    bool saveMaps();
    bool importMap();
    // "Import Map" without its dialog: reads and checks the file in a job, then applies it.
    bool importMapFile(const std::string& path);
    bool exportMap();
    void copy();
    void cut();
    bool paste();
    void editLevel(const std::function<void()>& command);
    void clearMap();
    void initMap();
    void makeWallTestMap();
    void makeObjectTestMap();
    void doUndo();
    void doRedo();
    // Scrolls the map so that the current level's player start is in the middle (Home).
    void centrePlayerStart();
    std::optional<QPoint> playerStartCell() const;

    QAction* action(const char* objectName) const;
    QMenu* mapMenu() const { return m_mapMenu; }
    QMenu* windowMenu() const { return m_windowMenu; }
    QMenu* importExportMenu() const { return m_importMenu; }
    EditPlaneBar* planeBar() const { return m_planeBar; }
    TextureSelectWnd* textureChooser() const { return m_textureWnd; }
    SpriteSelectWnd* spriteChooser() const { return m_spriteWnd; }

    void setChooserData(const WallSet* walls, const SpriteSet* sprites, const GamePalette* palette);

signals:
    void positionPicked(int x, int y);

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void buildToolBar();
    void addShortcuts();
    void addNavigationKeys(); // PageUp, PageDown, Home
    void buildMenus();
    QWidget* buildSidePanel();
    QWidget* buildProfGroup();
    void wireTools();
    void wireControls();
    void wireMessages();
    void showLevel();
    void refresh();
    void setPenTarget(PenTarget t);
    void setThirdPlaneEditing(bool on);
    void setProfMode(bool on);
    void updateSplit();
    void updatePens();
    // The real wall texture or sprite of a pen value (null without the page file).
    QImage penPicture(bool object, uint16_t value, bool floors) const;
    // The choosers and pen pictures show the workspace's walls and sprites.
    void feedChoosers();
    // The pens live in the program's context; the tools draw with a copy.
    void pullPens();
    void setPen(bool left, int kind, uint16_t value);
    void symbolsChanged();
    void updateClipboardActions();
    void strokeBegin();
    void strokeEnd();
    void toggleChooser(bool texture);
    // The user-interface half of an import: the third-plane question, one undo step, the
    // changed flag and the new picture.
    bool applyImportedMap(MapFileContent&& content);

    void updateUndoActions();

    AppContext& m_context;
    Workspace& m_ws;
    Prompter& m_prompter; // the context's relay
    JobRunner& m_jobs;
    MapCommands m_commands;
    MapClipBlock m_pasteBuffer;
    std::vector<Connection> m_connections;

    LevelMapCtrl* m_map = nullptr;
    QToolBar* m_toolBar = nullptr;
    EditPlaneBar* m_planeBar = nullptr;
    QMenu* m_mapMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_importMenu = nullptr;
    QLabel* m_levelName = nullptr;
    QLabel* m_counter = nullptr;
    QLabel* m_cursor = nullptr;
    QLabel* m_penNumbers = nullptr;
    std::array<QLabel*, 4> m_penPictures{};
    QLineEdit* m_nameEdit = nullptr;
    QCheckBox* m_objects = nullptr;
    QCheckBox* m_floors = nullptr;
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_profMode = nullptr;
    QCheckBox* m_splitmap = nullptr;
    QCheckBox* m_thirdPlane = nullptr;
    QCheckBox* m_featureFlags = nullptr;
    std::array<QCheckBox*, 4> m_flagBoxes{};
    QPushButton* m_addMap = nullptr;
    QPushButton* m_deleteMap = nullptr;
    QWidget* m_profGroup = nullptr;
    MapStatisticsPanel* m_stats = nullptr;
    TextureSelectWnd* m_textureWnd = nullptr;
    SpriteSelectWnd* m_spriteWnd = nullptr;
    const WallSet* m_wallSet = nullptr;
    const SpriteSet* m_spriteSet = nullptr;
    const GamePalette* m_palette = nullptr;
    bool m_objectsBeforeThirdPlane = true;
    bool m_stroking = false;
    int m_shownLevel = -1;
    std::optional<PenMode> m_goTo3DReturn; // "Goto in 3DEdit" is picking a cell
};

} // namespace zentrik::gui
