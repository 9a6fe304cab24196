#pragma once

#include "app/Settings.h"
#include "maps/LevelSetEditor.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrik {

inline constexpr const char* kGamemapsBase = "GAMEMAPS";
inline constexpr const char* kMaptempBase = "MAPTEMP";
inline constexpr const char* kMapheadBase = "MAPHEAD";
inline constexpr const char* kMapheadFilter =
    "Wolf3D(WL6)|*.WL6|Wolf3D Demo(WL1)|*.WL1|Spear of Destiny(SOD)|*.SOD|Operation "
    "Zusammenkunft(OZ6)|*.OZ6|All files(*.*)|*.*||";

// A map file's name in its four parts: folder, base name, extension, and the full path.
struct MapFileName {
    std::filesystem::path folder;
    std::string base; // GAMEMAPS
    std::string ext;  // WL6, without the dot

    static MapFileName split(const std::filesystem::path& path);
    std::filesystem::path full() const;
    // The companion file with this base name and the same extension in the same folder. An
    // existing file whose name differs only in case is preferred, as game folders copied from
    // DOS often mix cases.
    std::filesystem::path sibling(const std::string& base) const;
};

bool equalsNoCase(const std::string& a, const std::string& b);

// What the loader and the saver need of the program around them.
struct MapFileServices {
    Prompter& prompter;
    JobRunner& jobs;
    QuietTime& quiet;
    const Clock& clock;
    // Makes the extension of a loaded map file's suffix current (names, symbols, palette).
    std::function<void(const std::string& suffix)> selectExtensionByName;
};

// "Load maps" and "Save maps": picking and opening the two files, running the job, and
// replacing the old files through .tmp and .bak.
class MapArchiveFiles {
public:
    MapArchiveFiles(LevelSetEditor& editor, Settings& settings, MapFileServices services)
        : m_editor(editor), m_settings(settings), m_services(std::move(services)) {}

    // True when a set was read. The settings' RLEW text shows the tag in use afterwards.
    bool loadMaps(const MapFileName& name, std::optional<std::filesystem::path> header = {});
    // True when the files were replaced; false on the tag check, a .tmp file that cannot be
    // created, failure or Cancel. Without Carmack compression a GAMEMAPS name is questioned
    // first (the MAPTEMP name offered). The names written become mapPath() and headerPath().
    bool saveMaps(const std::filesystem::path& mapFile,
                  std::optional<std::filesystem::path> header = {});

    // The names of the last successful load or save (the save commands use them).
    const std::filesystem::path& mapPath() const { return m_mapPath; }
    const std::filesystem::path& headerPath() const { return m_headerPath; }
    // What the last load could not read of a damaged file (empty when it read everything).
    const std::vector<std::string>& damagedParts() const { return m_damaged; }

private:
    std::optional<std::vector<uint8_t>>
    openHeader(const MapFileName& name, const std::optional<std::filesystem::path>& given,
               std::filesystem::path& used);
    bool openMap(MapFileName& name, bool& carmack, std::vector<uint8_t>& bytes);
    bool askRlewOnlyName(std::filesystem::path& mapFile);
    bool writeSet(const std::filesystem::path& mapFile, const std::filesystem::path& header,
                  bool carmack);

    LevelSetEditor& m_editor;
    Settings& m_settings;
    MapFileServices m_services;
    std::filesystem::path m_mapPath;
    std::filesystem::path m_headerPath;
    std::vector<std::string> m_damaged;
};

} // namespace zentrik
