#pragma once

#include "CliArea.h"

#include "app/ExtensionTable.h"
#include "imaging/Palette.h"
#include "maps/LevelSet.h"
#include "maps/MapArchiveFiles.h"
#include "pagefile/PageFile.h"
#include "world/SymbolSet.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace zentrik::cli {

// "maps render-3d": one frame of the 3D view as a picture.
int render3d(Context& c);

// Shared by the verbs that draw or check a level with its game's data.
// The extension's record (symbol set, palette, engine profile) for the map file's suffix.
ExtensionRecord extensionFor(const std::string& suffix);
// The walls and sprites of a page file; false (and said) when it cannot be read.
bool loadPageFile(Context& c, const std::filesystem::path& path, WallSet& walls,
                  SpriteSet& sprites);
// The levels of a map file, and with `level` the check that it exists ("This level doesn't
// exist!"); nothing after a message.
std::unique_ptr<LevelSet> loadLevels(Context& c, const MapFileName& name, std::optional<int> level);
// --vswap, else the VSWAP beside the map file, as walls and sprites; false after a message.
bool loadPageFileFor(Context& c, const MapFileName& name, WallSet& walls, SpriteSet& sprites);
// --palette wins; else the extension's palette; else the program's own (paletteArg).
std::optional<GamePalette> paletteFor(Context& c, const ExtensionRecord& ext);

// What a picture of a level is drawn with: the map file's levels, the page file's walls and
// sprites, the extension's symbols and the palette.
struct LevelRenderData {
    std::unique_ptr<LevelSet> set;
    std::unique_ptr<WallSet> walls = std::make_unique<WallSet>();
    std::unique_ptr<SpriteSet> sprites = std::make_unique<SpriteSet>();
    SymbolSet symbols;
    GamePalette palette;
};
// Reads them for level `level` of the map file; nothing after a message.
std::optional<LevelRenderData> loadLevelRenderData(Context& c, const MapFileName& name,
                                                   const ExtensionRecord& ext, int level);

} // namespace zentrik::cli
