#pragma once

#include "maps/Carmack.h"
#include "maps/LevelSet.h"
#include "platform/Progress.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zentrik {

inline constexpr int kSignatureMajor = 1;
inline constexpr int kSignatureMinor = 27;
inline constexpr const char* kMapCredit =
    "Mapfile was edited with Zentrik (https://zentrik.example)";
inline constexpr const char* kMapEndMarker = "MESX";
// The game reads a fixed table of level positions from MAPHEAD (60 or 100 entries, depending
// on the build), so a shorter file would hand it whatever memory follows as positions. The
// table is written at this size, unused entries 0, as the games' own files are.
inline constexpr int kMapheadEntries = 100;

// The two files of a saved set.
struct MapArchiveBytes {
    std::vector<uint8_t> map; // signature, per level its planes and header, "MESX"
    // The RLEW tag, then one i32 position per level, then 0 up to kMapheadEntries entries.
    std::vector<uint8_t> header;
};

// "ZK1.27:" then "3P:" and "FF:" as the set uses them, then the credit text (no NUL).
std::string mapSignature(bool thirdPlane, bool featureFlags);

// One plane as stored: u16 8192 and the RLEW stream; with Carmack, u16 (length of that RLEW
// block) and the Carmack stream of it.
std::vector<uint8_t> encodePlane(const Plane& plane, uint16_t rlewTag, bool carmack,
                                 CarmackMode mode);

// The writing job: encodes every level of `set` (whose `carmack` says whether to use Carmack)
// and updates each level header with the positions and lengths written. Reports "%i/%i" per
// level. Returns JobResult::Done, or Failed after Cancel (then `out` is unusable).
int SaveMapsWorker(Progress& progress, LevelSet& set, MapArchiveBytes& out);

} // namespace zentrik
