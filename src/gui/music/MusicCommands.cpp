// The music page in the main window: its tab and the toolbar's "Load music".
#include "music/MusicCommands.h"

#include "app/AppContext.h"
#include "app/MainToolbar.h"
#include "app/PageRegistry.h"
#include "music/CPPMusic.h"

namespace zentrik::gui {

namespace {

const PageRegistration kMusicPage("CPPMusic", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPPMusic(c.workspace.music(), c.relay, &c.jobRelay, nullptr, parent);
});

} // namespace

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
