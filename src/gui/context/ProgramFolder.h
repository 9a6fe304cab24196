#pragma once

#include "context/AppContext.h"

namespace zentrik::gui {

// The folder of the running executable, where the build and the installation put data/, and
// the per-user configuration folder.
ProgramPaths defaultProgramPaths();

} // namespace zentrik::gui
