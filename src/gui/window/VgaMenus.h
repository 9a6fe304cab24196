#pragma once

namespace zentrik::gui {

class AppContext;
class MainToolbar;

// Gives the toolbar's "Load VGA" and "Save VGA" menus their commands (and adds "Load graphics
// dictionary..." to the load menu). A save entry is enabled only while its kind is loaded.
void installVgaCommands(MainToolbar& toolbar, AppContext& context);

} // namespace zentrik::gui
