// The toolbar's "Load music".
#include "window/MusicCommands.h"

#include "context/AppContext.h"
#include "music/MusicDocument.h"
#include "window/MainToolbar.h"

namespace zentrik::gui {

void connectMusicCommands(MainToolbar& toolbar, AppContext& context) {
    // "Save music" stays disabled: the audio archive is never written.
    toolbar.setHandler(Command::LoadMusic, [&context] {
        const auto path = context.relay.openFile(MusicDocument::loadMusicDialog());
        if (!path)
            return;
        context.saveStdPath(std::filesystem::path(*path).parent_path());
        context.workspace.music().LoadMusic(*path, context.relay, &context.quiet, context.clock);
    });
}

} // namespace zentrik::gui
