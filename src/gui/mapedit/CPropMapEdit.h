#pragma once

#include "imaging/Palette.h"
#include "mapedit/LevelMapCtrl.h"
#include "mapedit/MapUndo.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "maps/MapCommands.h"
#include "pagefile/PageFile.h"
#include "world/SymbolSet.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

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
class MapStatisticsPanel;
class TextureSelectWnd;
class SpriteSelectWnd;

// Hands every call to whatever Prompter and job runner the context holds at that moment.
class ContextPrompter final : public Prompter {
public:
    explicit ContextPrompter(AppContext& c) : m_context(c) {}
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& initialPath) override;

private:
    AppContext& m_context;
};

class ContextJobRunner final : public JobRunner {
public:
    explicit ContextJobRunner(AppContext& c) : m_context(c) {}
    int run(const JobWorker& worker) override;

private:
    AppContext& m_context;
};

// The "MapEdit" page: the level map with its switches, the level list commands, the feature
// flags, the pens' numbers, the statistics, the tool bar and the three context menus.
class CPropMapEdit : public QWidget {
    Q_OBJECT
public:
    CPropMapEdit(AppContext& context, QWidget* parent = nullptr);
    ~CPropMapEdit() override;

    LevelMapCtrl* map() const { return m_map; }
    LevelSetEditor& editor() { return m_editor; }
    MapEditController& tools() { return m_map->controller(); }
    MapUndo& undo() { return m_undo; }
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

    QAction* action(const char* objectName) const;
    QMenu* mapMenu() const { return m_mapMenu; }
    QMenu* windowMenu() const { return m_windowMenu; }
    QMenu* importExportMenu() const { return m_importMenu; }
    TextureSelectWnd* textureChooser() const { return m_textureWnd; }
    SpriteSelectWnd* spriteChooser() const { return m_spriteWnd; }
    // The wall and object choosers' data (set by whoever loads the page file).
    void setChooserData(const WallSet* walls, const SpriteSet* sprites, const GamePalette* palette);
    const WallSet* wallSet() const { return m_wallSet; }
    const SpriteSet* spriteSet() const { return m_spriteSet; }

signals:
    void positionPicked(int x, int y);

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void buildToolBar();
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
    // The pens live in the program's context; the tools draw with a copy.
    void pullPens();
    void setPen(bool left, int kind, uint16_t value);
    void symbolsChanged();
    void hookMainToolbar();
    void updateClipboardActions();
    void strokeBegin();
    void strokeEnd();
    void toggleChooser(bool texture);
    // The user-interface half of an import: the third-plane question, one undo step, the
    // changed flag and the new picture.
    bool applyImportedMap(MapFileContent&& content);

    AppContext& m_context;
    ContextPrompter m_prompter;
    ContextJobRunner m_jobs;
    LevelSetEditor m_editor;
    MapCommands m_commands;
    std::unique_ptr<MapArchiveFiles> m_files;
    MapUndo m_undo;
    MapClipBlock m_pasteBuffer;

    LevelMapCtrl* m_map = nullptr;
    QToolBar* m_toolBar = nullptr;
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
    std::optional<PenMode> m_goTo3DReturn; // "Goto in 3DEdit" is picking a cell
};

} // namespace zentrik::gui
