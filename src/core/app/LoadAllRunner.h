#pragma once

#include "app/DataSet.h"
#include "app/LoadAllPlan.h"
#include "pagefile/PageFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace zentrik {

// Which parts of the graphics archive a save rewrites. Like the page file's parts (PageParts),
// parts that share a file are written by one save, so the file's backup is the file as it was
// before the command.
struct VgaParts {
    bool graphics = false, screens = false, fonts = false, tile8s = false;
    bool any() const { return graphics || screens || fonts || tile8s; }
};

// The loaders and savers Load All drives. Each reports its own failures to the user and
// returns whether it did its work. The editor implements it over its data; tests fake it.
class LoadAllIO {
public:
    virtual ~LoadAllIO() = default;
    virtual bool loadDictionary(const std::filesystem::path& dict) = 0;
    virtual bool loadMaps(const std::filesystem::path& data,
                          const std::filesystem::path& header) = 0;
    virtual bool loadWalls(const std::filesystem::path& file) = 0;
    virtual bool loadSprites(const std::filesystem::path& file) = 0;
    virtual bool loadSounds(const std::filesystem::path& file) = 0;
    // Uses the dictionary loaded just before, when there is one.
    virtual bool loadGraphics(const std::filesystem::path& header,
                              const std::filesystem::path& data) = 0;
    virtual bool loadMusic(const std::filesystem::path& data,
                           const std::filesystem::path& header) = 0;

    virtual bool isModified(DataSet set) const = 0;
    virtual bool saveMaps(const std::filesystem::path& data,
                          const std::filesystem::path& header) = 0;
    virtual bool savePageFile(const std::filesystem::path& file, PageParts parts) = 0;
    virtual bool saveGraphics(const std::filesystem::path& header,
                              const std::filesystem::path& data, VgaParts parts) = 0;
    virtual bool saveMusic(const std::filesystem::path& data,
                           const std::filesystem::path& header) = 0;
};

// One line of the closing summary.
struct LoadAllOutcome {
    std::string what; // "Maps", "Walls", ... or a save: "Save Maps"
    std::filesystem::path file;
    bool ok = false;
    bool skipped = false; // no file named for it
};

// What one Load All loaded, and from where: Save all writes exactly these sets to exactly
// these names, and nothing that a later single load replaced.
class LoadAllSession {
public:
    bool active() const { return m_active; }
    const LoadAllNames& names() const { return m_names; }
    bool owns(DataSet set) const { return m_active && m_owned[size_t(set)]; }
    // A single load of a set from elsewhere: Save all must never write it over this folder.
    void release(DataSet set) { m_owned[size_t(set)] = false; }
    void reset() { *this = LoadAllSession{}; }

    // Loads every named set in the order dictionary, maps, walls, sprites, sounds, graphics
    // archive, music, going on after a failure. Names must be absolute (fieldPath).
    std::vector<LoadAllOutcome> load(LoadAllIO& io, const LoadAllNames& names,
                                     const std::function<void(const std::string&)>& step = {});
    // Rewrites every set this Load All loaded ("Compress all"): maps, the page file's parts,
    // then the graphics archive's changed parts and the songs when they changed.
    std::vector<LoadAllOutcome> compressAll(LoadAllIO& io);
    // Writes every set that this Load All loaded and that has unsaved changes.
    std::vector<LoadAllOutcome> saveAll(LoadAllIO& io);

private:
    std::vector<LoadAllOutcome> save(LoadAllIO& io, bool onlyModified);

    LoadAllNames m_names;
    std::array<bool, kDataSetCount> m_owned{};
    bool m_active = false;
};

// "Maps: GAMEMAPS.WL6", "Walls: failed", ... one line each, for the closing message.
std::string summarize(const std::vector<LoadAllOutcome>& outcomes);

} // namespace zentrik
