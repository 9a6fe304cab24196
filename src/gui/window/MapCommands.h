#pragma once

namespace zentrik::gui {

class CPropMapEdit;
class MainToolbar;

// Gives the toolbar's "Load maps" and "Save maps" to the map page: they run the page's own
// commands, and "Save maps" is enabled exactly when the page's own save is.
void connectMapCommands(MainToolbar& toolbar, CPropMapEdit& page);

} // namespace zentrik::gui
