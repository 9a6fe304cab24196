#pragma once

namespace zentrik::gui {

class AppContext;
class MainToolbar;

// Gives the toolbar's "Load music" its handler (the question over unsaved song changes, the
// file dialog, then the load into the workspace's songs, which the music page shows) and
// "Save music" its, enabled while songs are loaded.
void connectMusicCommands(MainToolbar& toolbar, AppContext& context);

} // namespace zentrik::gui
