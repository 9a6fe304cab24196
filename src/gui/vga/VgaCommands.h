#pragma once

#include "vga/VgaPart.h"

namespace zentrik::gui {

class AppContext;

// Loading and saving the graphics archive's parts, for the main window's menus and for tests.
bool loadVgaPart(AppContext& context, VgaPart part);
bool saveVgaPart(AppContext& context, VgaPart part);
bool loadVgaDictionary(AppContext& context);
// Whether the part has something to save (a save of a part not loaded would only remove the
// target's chunks).
bool vgaPartLoaded(AppContext& context, VgaPart part);

} // namespace zentrik::gui
