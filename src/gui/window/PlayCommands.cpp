#include "window/PlayCommands.h"

#include "context/AppContext.h"
#include "mapedit/CPropMapEdit.h"
#include "mapedit/LevelMapCtrl.h"
#include "play/WorkspacePlay.h"
#include "window/GameSession.h"
#include "world3d/CProp3DEdit.h"
#include "world3d/WinWolfCtrl.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>

#include <cstdlib>

namespace zentrik::gui {

namespace {
constexpr const char* kCaption = "Play level";
constexpr int kNorth = 90;
} // namespace

PlayCommands::PlayCommands(AppContext& context, QMainWindow& window, QTabWidget& tabs)
    : QObject(&window), m_context(context), m_window(window), m_tabs(tabs) {
    m_session = new GameSession(context, this);
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Play"));
    m_playLevel = menu->addAction(QStringLiteral("Play level"));
    m_playLevel->setObjectName(QStringLiteral("playLevel"));
    m_playLevel->setShortcut(QKeySequence(Qt::Key_F9));
    m_playLevel->setToolTip(QStringLiteral("Play the current level in the game"));
    m_playFromHere = menu->addAction(QStringLiteral("Play from here"));
    m_playFromHere->setObjectName(QStringLiteral("playFromHere"));
    m_playFromHere->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F9));
    m_playFromHere->setToolTip(
        QStringLiteral("Play the current level, starting where the 3D view stands"));
    connect(m_playLevel, &QAction::triggered, this, [this] { play(std::nullopt); });
    connect(m_playFromHere, &QAction::triggered, this, [this] {
        if (auto spot = spotHere())
            play(spot);
        else
            m_context.prompter->message("Play from here: point at a cell of the level map, or "
                                        "select one.",
                                        kCaption, MessageIcon::Information);
    });
    connect(&context.messages, &AppMessages::mapCursor, this,
            [this](int x, int y, quint16, quint16) { m_mouseCell = QPoint(x, y); });
    // The map page and the 3D page carry the commands too, so their context menus and key
    // handling see them.
    for (QWidget* page : {window.findChild<QWidget*>(QStringLiteral("CPropMapEdit")),
                          window.findChild<QWidget*>(QStringLiteral("CProp3DEdit"))})
        if (page)
            page->addActions({m_playLevel, m_playFromHere});
}

std::optional<PlaySpot> PlayCommands::spotHere() const {
    QWidget* shown = m_tabs.currentWidget();
    if (auto* world = m_window.findChild<CProp3DEdit*>();
        world && shown && (shown == world || shown->isAncestorOf(world))) {
        const ViewerPose& pose = world->view()->motion().pose;
        return PlaySpot{pose.x >> 16, pose.y >> 16, pose.angle};
    }
    auto* maps = m_window.findChild<CPropMapEdit*>();
    if (!maps)
        return std::nullopt;
    if (maps->map()->underMouse() && m_mouseCell.x() >= 0)
        return PlaySpot{m_mouseCell.x(), m_mouseCell.y(), kNorth};
    if (maps->tools().hasSelection()) {
        const MapSelection& s = maps->tools().selection();
        return PlaySpot{std::min(s.x0, s.x1), std::min(s.y0, s.y1), kNorth};
    }
    if (m_mouseCell.x() >= 0)
        return PlaySpot{m_mouseCell.x(), m_mouseCell.y(), kNorth};
    return std::nullopt;
}

bool PlayCommands::play(std::optional<PlaySpot> from) {
    Prompter& prompter = *m_context.prompter;
    Workspace& ws = m_context.workspace;
    auto request = workspaceGame(ws);
    if (!request) {
        prompter.message("Load a level set first: the game is played from the folder of its map "
                         "file.",
                         kCaption, MessageIcon::Information);
        return false;
    }
    if (m_session->running()) {
        if (prompter.ask("The game is still running. Stop it and start the level again?", kCaption,
                         Buttons::YesNo) != Answer::Yes)
            return false;
        m_session->stop();
    }
    request->from = from;
    const RunnerSettings runner = readRunnerSettings(m_context.ini, request->suffix);
    const char* path = std::getenv("PATH");
    auto prepared = preparePlay(*request, workspacePlayWriters(ws, *request), runner, playRoot(),
                                path ? path : "");
    if (!prepared) {
        prompter.message(prepared.error().text, prepared.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return m_session->start(prepared->command);
}

} // namespace zentrik::gui
