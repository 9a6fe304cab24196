#pragma once

#include "CliArea.h"

#include "app/ExtensionTable.h"
#include "imaging/Palette.h"
#include "pagefile/PageFile.h"

#include <filesystem>
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
// --palette wins; else the extension's palette; else the program's own (paletteArg).
std::optional<GamePalette> paletteFor(Context& c, const ExtensionRecord& ext);

} // namespace zentrik::cli
