#pragma once

#include "app/MainToolbar.h"

namespace zentrik::gui {

class AppContext;

// Gives the toolbar's "Load VGA" and "Save VGA" menus their commands (and adds "Load graphics
// dictionary..." to the load menu). A save entry is enabled only while its kind is loaded.
void installVgaCommands(MainToolbar& toolbar, AppContext& context);

// The commands themselves, for the menus and for tests.
bool loadVgaPart(AppContext& context, VgaPart part);
bool saveVgaPart(AppContext& context, VgaPart part);
bool loadVgaDictionary(AppContext& context);

} // namespace zentrik::gui
