#pragma once

#include "maps/LevelSetEditor.h"
#include "Result.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zentrik {

// The single-level exchange file ".MAP": "ZKv1.23\0", plane count, map count, level number,
// width, height, name length and name, then the planes uncompressed. A file of exactly 16384
// bytes is a raw level: plane 0 and plane 1 without a header.
inline constexpr const char* kMapFileSignature = "ZKv1.23";
inline constexpr size_t kMapFileSignatureBytes = 8;
inline constexpr size_t kRawLevelFileBytes = 2 * kPlaneBytes;
inline constexpr const char* kLevelMapFilter = "Level Maps|*.MAP|Alle Dateien|*.*||";

std::vector<uint8_t> encodeMapFile(const LevelSet& set, int levelIndex);

// A checked ".MAP" file, not yet applied to any level.
struct MapFileContent {
    bool raw = false;   // the 16384-byte form: planes 0 and 1 only, the name is kept
    int planeCount = 2; // planes in the file
    std::array<char, kLevelNameLength> name{};
    std::array<Plane, kMaxPlanes> planes;
};

// Every refusal comes with the caption "Unable to import map!" and is found before anything
// is applied.
Result<MapFileContent> decodeMapFile(std::span<const uint8_t> bytes);

// "Export Map": the current level to `path`. Failure: the path / "Unable to create file:".
bool exportMap(const LevelSet& set, const std::filesystem::path& path, Prompter& prompter);

// Reads and checks a ".MAP" file. Failure: the path / "Unable to open file:", or the
// decoder's refusal. Touches no level, so it may run on a worker thread.
Result<MapFileContent> readMapFile(const std::filesystem::path& path);

// A three-plane file into a two-plane set asks whether to turn the third plane on. Returns
// nothing on Cancel, else whether to turn it on (false when nothing was asked).
std::optional<bool> askThirdPlaneFor(const MapFileContent& content, const LevelSet& set,
                                     Prompter& prompter);

// Puts a checked file onto the current level (turning the third plane on first when asked);
// the level is shown again and the maps count as changed.
void applyMapFile(LevelSetEditor& editor, MapFileContent&& content, bool enableThirdPlane);

// "Import Map" onto the current level. A three-plane file into a two-plane set asks whether
// to turn the third plane on (Cancel stops). The level is shown again and the maps count as
// changed, so the unsaved-changes question protects the imported level.
bool importMap(LevelSetEditor& editor, const std::filesystem::path& path, Prompter& prompter);

} // namespace zentrik
