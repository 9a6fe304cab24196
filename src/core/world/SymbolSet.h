#pragma once

#include "platform/Prompter.h"
#include "world/LevelCheckInfo.h"
#include "world/ObjectDescriptions.h"
#include "world/SymbolStrip.h"
#include "world/TileNames.h"

#include <filesystem>
#include <string>

namespace zentrik {

inline constexpr const char* kMapObjectsFolderName = "MapObjects";
inline constexpr uint16_t kDefaultPushwall = 98;
inline constexpr uint16_t kFirstDefaultFloorCode = 106;
inline constexpr uint16_t kLastDefaultFloorCode = 143;

// A map-symbol set: the names, the symbol strip and the object descriptions of one game.
struct SymbolSet {
    TileNames names;
    SymbolStrip strip;
    ObjectDescriptionTable objects;
    LevelCheckInfo check; // empty when the set has no "levelcheck.txt"
};

// The door rows used when "sprinfo.txt" defines no door.
std::vector<DoorDescription> defaultDoors();
// Gives the door table, the pushwall set and the floor codes their defaults where empty.
void applySymbolSetDefaults(SymbolSet& set);

// "LoadSymbolSet": reads "Lists.txt", "symbols.bmp" and "sprinfo.txt" of MapObjects/NAME
// (file names compared without regard to case). Each missing file is said once and the set is
// used as far as it was read.
SymbolSet LoadSymbolSet(const std::filesystem::path& programDir, const std::string& name,
                        Prompter& prompter);

// The same from the set's own folder.
SymbolSet loadSymbolSetFolder(const std::filesystem::path& folder, Prompter& prompter);

// "Save" on the Symbols tab: the strip as a 100406-byte bitmap. Failure: the file name /
// "Cannot Write".
bool saveSymbolStrip(const SymbolStrip& strip, const std::filesystem::path& path,
                     Prompter& prompter);

} // namespace zentrik
