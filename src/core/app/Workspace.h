#pragma once

#include "app/DataSet.h"
#include "app/SavedLevels.h"
#include "app/Settings.h"
#include "app/Signal.h"
#include "app/UndoHistory.h"
#include "draw/PictureClipboard.h"
#include "imaging/ColorMatch.h"
#include "maps/LevelSet.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "maps/MapUndo.h"
#include "music/MusicDocument.h"
#include "pagefile/PageFiles.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "vgagraph/VgaModels.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zentrik {

// What the workspace's loaders and savers need of the program around them. The references
// must outlive the workspace; a program that plugs its prompter or job runner in later hands
// over relays.
struct WorkspaceServices {
    Prompter& prompter;
    JobRunner& jobs;
    QuietTime& quiet;
    const Clock& clock;
    Settings& settings;
    const GamePalette& palette; // the current palette, which colour matching works over
    // Told the folder of every file loaded successfully (the settings keep it as StdPath).
    std::function<void(const std::filesystem::path& folder)> rememberFolder;
    // Makes the extension of a loaded map file's suffix current (names, symbols, palette).
    std::function<void(const std::string& suffix)> selectExtensionByName;
};

enum class ChangeKind {
    Loaded,   // the whole set was replaced (or freed)
    Edited,   // the contents of item `index` changed (-1: any number of items)
    Inserted, // item `index` is new; later items moved up
    Removed,  // item `index` went away; later items moved down
};

// Whether a load still has to ask before it replaces a modified set (commands that ask before
// their file dialog pass AlreadyAsked).
enum class Confirm { Ask, AlreadyAsked };

struct Change {
    DataSet set = DataSet::Maps;
    ChangeKind kind = ChangeKind::Edited;
    int index = -1;
    bool operator==(const Change&) const = default;
};

// Everything the editor has loaded, with one undo history and one "modified" state per data
// set. Views read the sets through it and listen to its signals; every edit goes through a
// command that changes a set, records its undo step (or raises the set's edited flag) and
// notifies once.
class SavedPosition;

class Workspace {
public:
    explicit Workspace(WorkspaceServices services);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    ~Workspace();

    // --- The data sets ---
    LevelSet& levels() { return m_levels; }
    const LevelSet& levels() const { return m_levels; }
    LevelSetEditor& levelEditor() { return m_levelEditor; }
    MapArchiveFiles& mapFiles() { return m_mapFiles; }
    PageFiles& pageFiles() { return m_pageFiles; }
    const PageFiles& pageFiles() const { return m_pageFiles; }
    WallSet& walls() { return m_pageFiles.walls; }
    SpriteSet& sprites() { return m_pageFiles.sprites; }
    SoundSet& sounds() { return m_pageFiles.sounds; }
    bool isLoaded(DataSet set) const;
    VgaGraphState& graphics() { return m_graphics; }
    MusicDocument& music() { return m_music; }
    // The file a set was last loaded from (the save dialogs' default name); empty if none.
    std::filesystem::path source(DataSet set) const;
    const WorkspaceServices& services() const { return m_services; }

    // --- Shared editing state ---
    UndoHistory& history(DataSet set) { return m_history[idx(set)]; }
    // Nearest-colour matches over the current palette; stale after every palette switch.
    NearestColorTable& colorMatch() { return m_colorMatch; }
    // The one picture clipboard of every pixel page (index 255 carried as it is).
    PictureClipboard& pictureClipboard() { return m_clipboard; }

    // --- "Modified": the history's clean mark plus a flag for edits without an undo step ---
    bool isModified(DataSet set) const;
    bool anyModified() const;
    // How many levels differ from the ones last loaded or saved (the close question says it).
    int unsavedLevelCount() const { return m_savedLevels.changedLevels(m_levels); }
    // An edit that records no undo step (or one the history cannot hold) was made.
    void markEdited(DataSet set);
    // The set was written (or replaced by a load): the current state is the clean one.
    void markSaved(DataSet set);
    // A page's own undo history of the set (none: forget it): while it is watched the set is
    // modified exactly when that history (or an edit it could not record) stands away from
    // the last save.
    void watchHistory(DataSet set, SavedPosition* history);
    // A watched history moved (an edit, undo or redo); unwatched sets stay edited.
    void historyMoved(DataSet set);
    bool watchesHistory(DataSet set) const { return m_pageHistory[idx(set)]; }
    // A load or free replaced the set: its history goes, it is clean, views rebuild.
    void setReplaced(DataSet set);
    // Tells every listener of a change and brings "modified" up to date.
    void notify(const Change& change);

    // Once Load All has loaded a folder, "Save all" is enabled exactly when a set is modified.
    void setLoadAllUsed(bool used);
    bool loadAllUsed() const { return m_loadAllUsed; }
    bool saveAllEnabled() const { return m_loadAllUsed && anyModified(); }

    // The question before a load replaces a modified set ("Do you really want to load new
    // walls?"). True: go on (also when the set is not modified).
    bool confirmLoadOver(DataSet set);

    // The program's palette was switched or edited: colour matches are stale, pictures repaint.
    void notePaletteSwitch();

    // --- The levels ---
    int currentLevel() const { return m_levels.currentLevel; }
    // The map files' two commands; a load replaces the set (and its history) on success only.
    bool loadMaps(const MapFileName& name, std::optional<std::filesystem::path> header = {},
                  Confirm confirm = Confirm::Ask);
    bool saveMaps(const std::filesystem::path& mapFile,
                  std::optional<std::filesystem::path> header = {});

    // --- Map edits: each is one undo step and one notification ---
    MapUndo& mapUndo() { return m_mapUndo; }
    // Around a command or a pen stroke on the current level; true when a step was recorded.
    void beginLevelEdit();
    bool endLevelEdit();
    bool editLevel(const std::function<void()>& command);
    // Around a command that may change any level, the list of levels or the third plane.
    bool editLevels(const std::function<void()>& command);
    bool renameLevel(const std::string& name);  // the current level's
    bool setFeatureFlag(uint16_t bit, bool on); // of the current level
    bool setThirdPlane(bool on);                // Off asks first; returns the state afterwards
    bool addMap();
    bool deleteMap();
    // Undo and Redo of a set's history; for the maps the level the step names is shown.
    bool undo(DataSet set);
    bool redo(DataSet set);

    // --- The page file's three parts ---
    // A failed or cancelled load keeps what was loaded; a load over unsaved changes asks
    // first. True when the set was replaced.
    bool loadWalls(const std::filesystem::path& path, Confirm confirm = Confirm::Ask);
    bool loadSprites(const std::filesystem::path& path, Confirm confirm = Confirm::Ask);
    bool loadSounds(const std::filesystem::path& path, Confirm confirm = Confirm::Ask);
    // True when the file was replaced; success makes the set clean.
    bool saveWalls(const std::filesystem::path& path);
    bool saveSprites(const std::filesystem::path& path, int spriteCompression);
    bool saveSounds(const std::filesystem::path& path);

    // --- The songs of the audio archive ---
    // A load over unsaved song changes asks first; a failed load leaves no songs.
    bool loadMusic(const std::filesystem::path& audiot, Confirm confirm = Confirm::Ask);
    // Writes AUDIOT and AUDIOHED back where they were loaded from; success makes the set clean.
    bool saveMusic();

    // --- Signals ---
    Signal<DataSet, bool> modifiedChanged;
    Signal<Change> changed;
    Signal<int> currentLevelChanged;
    // A save of the set went through (its files were replaced).
    Signal<DataSet> saved;
    Signal<> paletteSwitched;
    // "Save all" may have changed state (any set's modified state, or Load All's use).
    Signal<> saveAllChanged;

private:
    static size_t idx(DataSet set) { return size_t(set); }
    void refreshModified(DataSet set);
    bool afterHistoryStep(DataSet set, std::optional<int> focus);

    WorkspaceServices m_services;
    LevelSet m_levels;
    SavedLevels m_savedLevels;
    LevelSetEditor m_levelEditor;
    MapArchiveFiles m_mapFiles;
    PageFiles m_pageFiles;
    VgaGraphState m_graphics;
    MusicDocument m_music;
    std::array<UndoHistory, kDataSetCount> m_history;
    MapUndo m_mapUndo;
    NearestColorTable m_colorMatch;
    PictureClipboard m_clipboard;
    std::array<bool, kDataSetCount> m_edited{};
    std::array<SavedPosition*, kDataSetCount> m_pageHistory{};
    std::array<bool, kDataSetCount> m_modified{}; // as last announced
    bool m_loadAllUsed = false;
    std::vector<Connection> m_connections;
};

} // namespace zentrik
