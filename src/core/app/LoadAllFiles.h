#pragma once

#include "app/LoadAllRunner.h"
#include "app/Settings.h"
#include "maps/MapArchiveFiles.h"
#include "music/MusicSet.h"
#include "pagefile/PageFiles.h"
#include "vgagraph/VgaModels.h"

namespace zentrik {

// A game folder's data sets held without an editor, loaded and saved through the same core
// loaders and savers the editor uses: the command-line tool's Load All and the benchmarks.
class LoadAllFiles final : public LoadAllIO {
public:
    LoadAllFiles(Settings& settings, Prompter& prompter, JobRunner& jobs, const Clock& clock);

    bool loadDictionary(const std::filesystem::path& dict) override;
    bool loadMaps(const std::filesystem::path& data, const std::filesystem::path& header) override;
    bool loadWalls(const std::filesystem::path& file) override { return pages.LoadTextures(file); }
    bool loadSprites(const std::filesystem::path& file) override { return pages.LoadSprites(file); }
    bool loadSounds(const std::filesystem::path& file) override { return pages.LoadSounds(file); }
    bool loadGraphics(const std::filesystem::path& header,
                      const std::filesystem::path& data) override;
    bool loadMusic(const std::filesystem::path& data, const std::filesystem::path& header) override;

    // Nothing edits these sets: only what a load marks as changed (a repaired archive) counts.
    bool isModified(DataSet set) const override;
    bool saveMaps(const std::filesystem::path& data, const std::filesystem::path& header) override;
    bool savePageFile(const std::filesystem::path& file, PageParts parts) override;
    bool saveGraphics(const std::filesystem::path& header, const std::filesystem::path& data,
                      VgaParts parts) override;
    bool saveMusic(const std::filesystem::path& data, const std::filesystem::path& header) override;

    LevelSet levels;
    PageFiles pages;
    VgaGraphState vga;
    MusicSet music;

private:
    Settings& m_settings;
    Prompter& m_prompter;
    JobRunner& m_jobs;
    QuietTime m_quiet;
    LevelSetEditor m_editor;
    MapArchiveFiles m_maps;
    std::filesystem::path m_dictPath;
};

} // namespace zentrik
