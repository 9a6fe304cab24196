#pragma once

#include "maps/LevelPicture.h"

#include <string>

namespace zentrik::gui {

class AppContext;
class CPropMapEdit;

// "Export level picture..." in the map page's import/export menu: asks for the cell size, the
// skill and whether to mark the level check's problems, then for the PNG file.
void addLevelPictureExport(AppContext& context, CPropMapEdit& page);

// The current level as a PNG picture with the loaded walls and sprites and the current
// palette. A failed write is said; false then (and when there is no level).
bool exportLevelPicture(AppContext& context, const std::string& path,
                        const LevelPictureOptions& options, bool markProblems);

} // namespace zentrik::gui
