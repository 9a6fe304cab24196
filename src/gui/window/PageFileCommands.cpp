#include "window/PageFileCommands.h"

#include "context/AppContext.h"
#include "window/MainToolbar.h"

#include <QAction>

namespace zentrik::gui {

namespace {

struct Dialogs {
    FileDialogRequest load;
    const char* saveTitle;
    const char* saveFilter;
};

Dialogs dialogsFor(DataSet set) {
    switch (set) {
    case DataSet::Walls:
        return {{"Load textures...", kPageFileFilter, "", kPageFileDefaultName},
                "Save textures...",
                kPageFileFilter};
    case DataSet::Sprites:
        return {{"Load sprites...", kPageFileFilter, "", kPageFileDefaultName},
                "Save sprites...",
                kSoundFileFilter};
    default:
        return {{"Load sounds...", kSoundFileFilter, "", kSoundFileDefaultName},
                "Save sounds...",
                kSoundFileFilter};
    }
}

} // namespace

PageFileCommands::PageFileCommands(AppContext& context, MainToolbar& toolbar, QObject* parent)
    : QObject(parent), m_context(context), m_toolbar(toolbar) {
    const std::pair<Command, Command> commands[] = {{Command::LoadWalls, Command::SaveWalls},
                                                    {Command::LoadSprites, Command::SaveSprites},
                                                    {Command::LoadSounds, Command::SaveSounds}};
    const DataSet sets[] = {DataSet::Walls, DataSet::Sprites, DataSet::Sounds};
    for (size_t i = 0; i < 3; ++i) {
        const DataSet set = sets[i];
        toolbar.setHandler(commands[i].first, [this, set] { load(set); });
        toolbar.setHandler(commands[i].second, [this, set] { save(set); });
    }
    m_watches.push_back(
        context.workspace.changed.connect([this](const Change&) { updateSaveActions(); }));
    updateSaveActions();
}

void PageFileCommands::updateSaveActions() {
    const Workspace& ws = m_context.workspace;
    // Saving a set that is not loaded would rewrite the file without it.
    m_toolbar.action(Command::SaveWalls)->setEnabled(ws.isLoaded(DataSet::Walls));
    m_toolbar.action(Command::SaveSprites)->setEnabled(ws.isLoaded(DataSet::Sprites));
    m_toolbar.action(Command::SaveSounds)->setEnabled(ws.isLoaded(DataSet::Sounds));
}

bool PageFileCommands::load(DataSet set) {
    Workspace& ws = m_context.workspace;
    // Asked before the dialog, as the map and graphics loaders do.
    if (!ws.confirmLoadOver(set))
        return false;
    const auto path = m_context.relay.openFile(dialogsFor(set).load);
    if (!path) {
        m_context.quiet.mark(m_context.clockRelay);
        return false;
    }
    switch (set) {
    case DataSet::Walls:
        return ws.loadWalls(*path, Confirm::AlreadyAsked);
    case DataSet::Sprites:
        return ws.loadSprites(*path, Confirm::AlreadyAsked);
    default:
        return ws.loadSounds(*path, Confirm::AlreadyAsked);
    }
}

bool PageFileCommands::save(DataSet set) {
    Workspace& ws = m_context.workspace;
    if (!ws.isLoaded(set))
        return false;
    if (set == DataSet::Walls && (ws.walls().count() == 0 || ws.walls().raw.empty())) {
        // The writer needs the walls' block; without one it would fail without a word.
        m_context.relay.message("There are no walls to save.", "Save Walls",
                                MessageIcon::Exclamation);
        return false;
    }
    const Dialogs d = dialogsFor(set);
    const auto path =
        m_context.relay.saveFile({d.saveTitle, d.saveFilter, "", ws.source(set).string()});
    if (!path) {
        m_context.quiet.mark(m_context.clockRelay);
        return false;
    }
    switch (set) {
    case DataSet::Walls:
        return ws.saveWalls(*path);
    case DataSet::Sprites:
        return ws.saveSprites(*path, m_context.settings.spriteCompression);
    default:
        return ws.saveSounds(*path);
    }
}

} // namespace zentrik::gui
