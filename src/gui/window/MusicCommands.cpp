// The toolbar's "Load music" and "Save music".
#include "window/MusicCommands.h"

#include "context/AppContext.h"
#include "music/MusicDocument.h"
#include "window/MainToolbar.h"

#include <QAction>

namespace zentrik::gui {

namespace {

// Keeps a workspace connection as long as the toolbar it serves.
class WatchHolder : public QObject {
public:
    using QObject::QObject;
    Connection watch;
};

} // namespace

void connectMusicCommands(MainToolbar& toolbar, AppContext& context) {
    toolbar.setHandler(Command::LoadMusic, [&context] {
        // Asked before the dialog, like the other sets' loads.
        if (!context.workspace.confirmLoadOver(DataSet::Music))
            return;
        const auto path = context.relay.openFile(MusicDocument::loadMusicDialog());
        if (!path)
            return;
        context.saveStdPath(std::filesystem::path(*path).parent_path());
        context.workspace.loadMusic(*path, Confirm::AlreadyAsked);
    });
    toolbar.setHandler(Command::SaveMusic, [&context] { context.workspace.saveMusic(); });
    // Songs must be loaded before there is anything to save.
    QAction* save = toolbar.action(Command::SaveMusic);
    auto enable = [&context, save] { save->setEnabled(context.workspace.music().musicLoaded()); };
    enable();
    (new WatchHolder(&toolbar))->watch = context.workspace.music().replaced.connect(enable);
}

} // namespace zentrik::gui
