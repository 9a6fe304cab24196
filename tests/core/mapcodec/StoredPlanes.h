#pragma once

// The stored planes of the shareware maps, taken straight from MAPHEAD and GAMEMAPS so the
// codec tests do not depend on the archive reader.
#include "io/ByteReader.h"
#include "maps/LevelSet.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace zentrik::test {

struct StoredPlane {
    std::string where;          // "level 3 plane 1"
    std::vector<uint8_t> bytes; // as stored: length word, then Carmack data
};

inline std::vector<StoredPlane> shareware_planes() {
    const auto head = readGameFile("wl1/MAPHEAD.WL1");
    const auto maps = readGameFile("wl1/GAMEMAPS.WL1");
    std::vector<StoredPlane> planes;
    ByteReader h(head);
    h.u16(); // RLEW tag
    for (int level = 0; level < 100; ++level) {
        auto offset = h.i32();
        if (!offset || *offset <= 0)
            continue;
        if (size_t(*offset) + LevelHeader::kSize > maps.size())
            continue;
        auto header = LevelHeader::read(std::span(maps).subspan(size_t(*offset)));
        for (int p = 0; p < 3; ++p) {
            const auto start = header->planeStart[size_t(p)];
            const auto len = header->planeLength[size_t(p)];
            if (start <= 0 || len == 0 || size_t(start) + len > maps.size())
                continue;
            planes.push_back(
                {"level " + std::to_string(level) + " plane " + std::to_string(p),
                 std::vector<uint8_t>(maps.begin() + start, maps.begin() + start + len)});
        }
    }
    return planes;
}

} // namespace zentrik::test
