#pragma once

#include "CliArea.h"

namespace zentrik::cli {

// "maps check": the level check of one level or of every level.
int checkMaps(Context& c);
// "maps render-2d": the level from above as a picture.
int render2d(Context& c);

} // namespace zentrik::cli
