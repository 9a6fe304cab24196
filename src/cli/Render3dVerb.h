#pragma once

#include "CliArea.h"

namespace zentrik::cli {

// "maps render-3d": one frame of the 3D view as a picture.
int render3d(Context& c);

} // namespace zentrik::cli
