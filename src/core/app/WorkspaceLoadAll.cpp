#include "app/WorkspaceLoadAll.h"

#include "music/AudioArchiveWriter.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

namespace zentrik {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> given(const fs::path& p) {
    return p.empty() ? std::nullopt : std::optional<fs::path>(p);
}

constexpr DataSet kVgaSets[] = {DataSet::Graphics, DataSet::Fonts, DataSet::Screens,
                                DataSet::Tile8s};

} // namespace

bool WorkspaceLoadAll::loadDictionary(const fs::path& dict) {
    if (!LoadHuffman(m_ws.graphics(), dict, m_ws.services().prompter))
        return false;
    m_dict = dict;
    return true;
}

bool WorkspaceLoadAll::loadMaps(const fs::path& data, const fs::path& header) {
    return m_ws.loadMaps(MapFileName::split(data), given(header), Confirm::AlreadyAsked);
}

bool WorkspaceLoadAll::loadWalls(const fs::path& file) {
    return m_ws.loadWalls(file, Confirm::AlreadyAsked);
}

bool WorkspaceLoadAll::loadSprites(const fs::path& file) {
    return m_ws.loadSprites(file, Confirm::AlreadyAsked);
}

bool WorkspaceLoadAll::loadSounds(const fs::path& file) {
    return m_ws.loadSounds(file, Confirm::AlreadyAsked);
}

bool WorkspaceLoadAll::loadGraphics(const fs::path& header, const fs::path& data) {
    const WorkspaceServices& s = m_ws.services();
    if (!LoadAllGraphics(m_ws.graphics(), VgaFileSet::named(header, data, m_dict), s.prompter,
                         s.jobs, data))
        return false;
    for (DataSet set : kVgaSets)
        m_ws.setReplaced(set);
    return true;
}

bool WorkspaceLoadAll::loadMusic(const fs::path& data, const fs::path& header) {
    MusicSet songs;
    if (!LoadMusic(songs, data, m_ws.services().prompter, header))
        return false; // the songs that were loaded stay
    m_ws.music().setMusic(std::move(songs));
    return true;
}

bool WorkspaceLoadAll::saveMaps(const fs::path& data, const fs::path& header) {
    return m_ws.saveMaps(data, given(header));
}

bool WorkspaceLoadAll::savePageFile(const fs::path& file, PageParts parts) {
    if (!m_ws.pageFiles().SaveParts(file, parts, m_ws.services().settings.spriteCompression))
        return false;
    const std::pair<bool, DataSet> saved[] = {{parts.walls, DataSet::Walls},
                                              {parts.sprites, DataSet::Sprites},
                                              {parts.sounds, DataSet::Sounds}};
    for (const auto& [part, set] : saved)
        if (part)
            m_ws.markSaved(set);
    return true;
}

bool WorkspaceLoadAll::saveGraphics(const fs::path& header, const fs::path& data, VgaParts parts) {
    const WorkspaceServices& s = m_ws.services();
    if (!SaveAllGraphics(m_ws.graphics(), VgaFileSet::named(header, data, m_dict), true, s.prompter,
                         s.jobs))
        return false;
    const bool saved[] = {parts.graphics, parts.fonts, parts.screens, parts.tile8s};
    for (size_t i = 0; i < 4; ++i)
        if (saved[i])
            m_ws.markSaved(kVgaSets[i]);
    return true;
}

bool WorkspaceLoadAll::saveMusic(const fs::path& data, const fs::path& header) {
    if (!saveMusicSet(m_ws.music().musicSet(), m_ws.services().prompter, data, header))
        return false;
    m_ws.markSaved(DataSet::Music);
    // Note edits that Update IMF has not taken in were not written: still unsaved.
    if (m_ws.music().notesEdited())
        m_ws.markEdited(DataSet::Music);
    return true;
}

} // namespace zentrik
