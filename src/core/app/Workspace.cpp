#include "app/Workspace.h"

#include "app/SavedPosition.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

PageFileServices pageFileServices(const WorkspaceServices& s) {
    return {s.prompter, s.jobs, s.quiet, s.clock, s.rememberFolder};
}

MapFileServices mapFileServices(const WorkspaceServices& s) {
    return {s.prompter, s.jobs, s.quiet, s.clock, s.selectExtensionByName};
}

struct ReplaceQuestion {
    const char* text;
    const char* caption;
};

ReplaceQuestion replaceQuestion(DataSet set) {
    switch (set) {
    case DataSet::Maps:
        return {"Do you really want to load a new map set?", "Map changes unsaved!"};
    case DataSet::Walls:
        return {"Do you really want to load new walls?", "Wall changes unsaved!"};
    case DataSet::Sprites:
        return {"Do you really want to load new sprites?", "Sprite changes unsaved!"};
    case DataSet::Sounds:
        return {"Do you really want to load new sounds?", "Sound changes unsaved!"};
    case DataSet::Graphics:
        return {"Do you really want to load new graphics?", "Graphics changes unsaved!"};
    case DataSet::Fonts:
        return {"Do you really want to load new fonts?", "Font changes unsaved!"};
    case DataSet::Screens:
        return {"Do you really want to load new screens?", "Screen changes unsaved!"};
    case DataSet::Music:
        return {"Do you really want to load new music?", "Music changes unsaved!"};
    case DataSet::Tile8s:
        break;
    }
    return {"Do you really want to load new tile8s?", "Tile8s changes unsaved!"};
}

} // namespace

Workspace::Workspace(WorkspaceServices services)
    : m_services(std::move(services)), m_levelEditor(m_levels, m_services.prompter),
      m_mapFiles(m_levelEditor, m_services.settings, mapFileServices(m_services)),
      m_pageFiles(pageFileServices(m_services)), m_mapUndo(m_levels, m_history[idx(DataSet::Maps)]),
      m_colorMatch(m_services.palette) {
    for (int i = 0; i < kDataSetCount; ++i) {
        const DataSet set = DataSet(i);
        m_connections.push_back(
            m_history[size_t(i)].changed.connect([this, set] { refreshModified(set); }));
    }
    // Song edits (notes, rebuilds, imports) have their own undo on the music page; the set
    // only needs to know that it differs from its files.
    m_connections.push_back(m_music.edited.connect([this] { markEdited(DataSet::Music); }));
    m_connections.push_back(m_music.replaced.connect([this] { setReplaced(DataSet::Music); }));
    // The maps' own flag is not a second "modified": every map edit records an undo step.
    m_connections.push_back(
        m_levelEditor.levelShown.connect([this](int level) { currentLevelChanged(level); }));
}

Workspace::~Workspace() = default;

bool Workspace::isLoaded(DataSet set) const {
    switch (set) {
    case DataSet::Maps:
        return m_levels.mapsLoaded && !m_levels.empty();
    case DataSet::Walls:
        return m_pageFiles.wallsLoaded;
    case DataSet::Sprites:
        return m_pageFiles.spritesLoaded;
    case DataSet::Sounds:
        return m_pageFiles.soundsLoaded;
    case DataSet::Graphics:
        return m_graphics.graphics.loaded;
    case DataSet::Fonts:
        return m_graphics.fonts.loaded;
    case DataSet::Screens:
        return m_graphics.screens.loaded;
    case DataSet::Music:
        return m_music.musicLoaded();
    case DataSet::Tile8s:
        break;
    }
    return m_graphics.tile8s.loaded;
}

fs::path Workspace::source(DataSet set) const {
    switch (set) {
    case DataSet::Maps:
        return m_mapFiles.mapPath();
    case DataSet::Walls:
        return m_pageFiles.wallPath;
    case DataSet::Sprites:
        return m_pageFiles.spritePath;
    case DataSet::Sounds:
        return m_pageFiles.soundPath;
    case DataSet::Graphics:
        return m_graphics.graphics.source;
    case DataSet::Fonts:
        return m_graphics.fonts.source;
    case DataSet::Screens:
        return m_graphics.screens.source;
    case DataSet::Music:
        return m_music.musicSet().audiotPath;
    case DataSet::Tile8s:
        break;
    }
    return m_graphics.tile8s.source;
}

bool Workspace::isModified(DataSet set) const {
    const SavedPosition* page = m_pageHistory[idx(set)];
    return m_edited[idx(set)] || !m_history[idx(set)].isClean() || (page && page->awayFromSaved());
}

bool Workspace::anyModified() const {
    for (int i = 0; i < kDataSetCount; ++i)
        if (isModified(DataSet(i)))
            return true;
    return false;
}

void Workspace::markEdited(DataSet set) {
    m_edited[idx(set)] = true;
    refreshModified(set);
}

void Workspace::watchHistory(DataSet set, SavedPosition* history) {
    m_pageHistory[idx(set)] = history;
    refreshModified(set);
}

void Workspace::historyMoved(DataSet set) {
    if (!m_pageHistory[idx(set)])
        m_edited[idx(set)] = true;
    refreshModified(set);
}

void Workspace::markSaved(DataSet set) {
    if (SavedPosition* page = m_pageHistory[idx(set)])
        page->markSaved();
    if (set == DataSet::Maps)
        m_savedLevels.take(m_levels);
    m_edited[idx(set)] = false;
    m_history[idx(set)].markClean(); // announces through refreshModified
    refreshModified(set);
}

void Workspace::setReplaced(DataSet set) {
    if (set == DataSet::Maps)
        m_savedLevels.take(m_levels);
    m_edited[idx(set)] = false;
    m_history[idx(set)].clear();
    changed({set, ChangeKind::Loaded, -1}); // views let go of the old set's histories
    if (SavedPosition* page = m_pageHistory[idx(set)])
        page->markSaved();
    refreshModified(set);
}

void Workspace::notify(const Change& change) {
    changed(change);
    refreshModified(change.set);
}

void Workspace::refreshModified(DataSet set) {
    const bool now = isModified(set);
    if (now == m_modified[idx(set)])
        return;
    m_modified[idx(set)] = now;
    modifiedChanged(set, now);
    saveAllChanged();
}

void Workspace::setLoadAllUsed(bool used) {
    m_loadAllUsed = used;
    saveAllChanged();
}

void Workspace::notePaletteSwitch() {
    m_colorMatch.markStale();
    paletteSwitched();
}

bool Workspace::confirmLoadOver(DataSet set) {
    if (!isModified(set))
        return true;
    const ReplaceQuestion q = replaceQuestion(set);
    return m_services.prompter.ask(q.text, q.caption, Buttons::YesNo, MessageIcon::Question) ==
           Answer::Yes;
}

bool Workspace::loadMaps(const MapFileName& name, std::optional<fs::path> header, Confirm confirm) {
    if ((confirm == Confirm::Ask && !confirmLoadOver(DataSet::Maps)) ||
        !m_mapFiles.loadMaps(name, std::move(header)))
        return false;
    setReplaced(DataSet::Maps);
    return true;
}

bool Workspace::saveMaps(const fs::path& mapFile, std::optional<fs::path> header) {
    // The saver lowers the set's own flag only once both files were replaced (it reports
    // success for a .tmp file it could not create, after saying so).
    m_levels.mapsModified = true;
    if (!m_mapFiles.saveMaps(mapFile, std::move(header)))
        return false;
    if (!m_levels.mapsModified) {
        markSaved(DataSet::Maps);
        saved(DataSet::Maps);
    }
    return true;
}

bool Workspace::loadWalls(const fs::path& path, Confirm confirm) {
    if ((confirm == Confirm::Ask && !confirmLoadOver(DataSet::Walls)) ||
        !m_pageFiles.LoadTextures(path))
        return false;
    setReplaced(DataSet::Walls);
    return true;
}

bool Workspace::loadSprites(const fs::path& path, Confirm confirm) {
    if ((confirm == Confirm::Ask && !confirmLoadOver(DataSet::Sprites)) ||
        !m_pageFiles.LoadSprites(path))
        return false;
    setReplaced(DataSet::Sprites);
    return true;
}

bool Workspace::loadSounds(const fs::path& path, Confirm confirm) {
    if ((confirm == Confirm::Ask && !confirmLoadOver(DataSet::Sounds)) ||
        !m_pageFiles.LoadSounds(path))
        return false;
    setReplaced(DataSet::Sounds);
    return true;
}

bool Workspace::loadMusic(const fs::path& audiot, Confirm confirm) {
    if (confirm == Confirm::Ask && !confirmLoadOver(DataSet::Music))
        return false;
    return m_music.LoadMusic(audiot, m_services.prompter, &m_services.quiet, &m_services.clock);
}

bool Workspace::saveMusic() {
    if (!m_music.saveMusic(m_services.prompter))
        return false;
    markSaved(DataSet::Music);
    // Note edits left out of the save (No to applying them) are still unsaved.
    if (m_music.notesEdited())
        markEdited(DataSet::Music);
    return true;
}

bool Workspace::saveWalls(const fs::path& path) {
    if (!m_pageFiles.SaveTextures(path))
        return false;
    markSaved(DataSet::Walls);
    return true;
}

bool Workspace::saveSprites(const fs::path& path, int spriteCompression) {
    if (!m_pageFiles.SaveSprites(path, spriteCompression))
        return false;
    markSaved(DataSet::Sprites);
    return true;
}

bool Workspace::saveSounds(const fs::path& path) {
    if (!m_pageFiles.SaveSounds(path))
        return false;
    markSaved(DataSet::Sounds);
    return true;
}

} // namespace zentrik
