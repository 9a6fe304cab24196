#include "app/LoadAllFiles.h"

#include "music/AudioArchiveWriter.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

namespace zentrik {

namespace fs = std::filesystem;

LoadAllFiles::LoadAllFiles(Settings& settings, Prompter& prompter, JobRunner& jobs,
                           const Clock& clock)
    : pages(PageFileServices{prompter, jobs, m_quiet, clock, {}}), m_settings(settings),
      m_prompter(prompter), m_jobs(jobs), m_editor(levels, prompter),
      m_maps(m_editor, settings, MapFileServices{prompter, jobs, m_quiet, clock, {}}) {}

bool LoadAllFiles::loadDictionary(const fs::path& dict) {
    if (!LoadHuffman(vga, dict, m_prompter))
        return false;
    m_dictPath = dict;
    return true;
}

bool LoadAllFiles::loadMaps(const fs::path& data, const fs::path& header) {
    return m_maps.loadMaps(MapFileName::split(data),
                           header.empty() ? std::nullopt : std::optional<fs::path>(header));
}

bool LoadAllFiles::loadGraphics(const fs::path& header, const fs::path& data) {
    // A dictionary loaded just before is the one to decode with; else the archive's own.
    return LoadAllGraphics(vga, VgaFileSet::named(header, data, m_dictPath), m_prompter, m_jobs,
                           data);
}

bool LoadAllFiles::loadMusic(const fs::path& data, const fs::path& header) {
    return LoadMusic(music, data, m_prompter, header);
}

bool LoadAllFiles::isModified(DataSet set) const {
    switch (set) {
    case DataSet::Graphics:
        return vga.graphics.changed;
    case DataSet::Fonts:
        return vga.fonts.changed;
    case DataSet::Screens:
        return vga.screens.changed;
    case DataSet::Tile8s:
        return vga.tile8s.changed;
    default:
        return false;
    }
}

bool LoadAllFiles::saveMaps(const fs::path& data, const fs::path& header) {
    return m_maps.saveMaps(data, header.empty() ? std::nullopt : std::optional<fs::path>(header));
}

bool LoadAllFiles::savePageFile(const fs::path& file, PageParts parts) {
    return pages.SaveParts(file, parts, m_settings.spriteCompression);
}

bool LoadAllFiles::saveGraphics(const fs::path& header, const fs::path& data, VgaParts) {
    return SaveAllGraphics(vga, VgaFileSet::named(header, data, m_dictPath), true, m_prompter,
                           m_jobs);
}

bool LoadAllFiles::saveMusic(const fs::path& data, const fs::path& header) {
    return saveMusicSet(music, m_prompter, data, header);
}

} // namespace zentrik
