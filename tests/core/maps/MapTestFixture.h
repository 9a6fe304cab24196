#pragma once

#include "app/Settings.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zentrik::test {

// A level set with the editor, the settings and the services the map files need, all inline.
struct MapFixture {
    LevelSet set;
    StrictPrompter prompter;
    LevelSetEditor editor{set, prompter};
    Settings settings;
    InlineJobRunner jobs;
    FakeClock clock;
    QuietTime quiet;
    std::vector<std::string> selected;
    MapArchiveFiles files{editor, settings,
                          MapFileServices{prompter, jobs, quiet, clock,
                                          [this](const std::string& s) { selected.push_back(s); }}};

    bool load(const std::filesystem::path& map) { return files.loadMaps(MapFileName::split(map)); }
};

// The shareware map files copied into a folder of the test's own.
struct Wl1Copy {
    TempDir dir;
    std::filesystem::path maps = dir.copyGameFile("wl1/GAMEMAPS.WL1");
    std::filesystem::path head = dir.copyGameFile("wl1/MAPHEAD.WL1");
};

inline Plane patternPlane(uint16_t seed) {
    Plane p(kPlaneWords);
    for (int i = 0; i < kPlaneWords; ++i)
        p[size_t(i)] = uint16_t((i / 7 + seed) % 5 == 0 ? 0x8C : (i * seed) % 97);
    return p;
}

} // namespace zentrik::test
