#pragma once

#include "play/PlayStart.h"

#include <QObject>
#include <QPoint>

#include <optional>

class QAction;
class QMainWindow;
class QTabWidget;

namespace zentrik::gui {

class AppContext;
class GameSession;

// "Play level" (F9) and "Play from here" (Shift+F9): the main window's "Play" menu, working on
// the map page and the 3D page. Each play builds the play folder from the workspace as it is
// in memory and starts the extension's game runner beside the editor.
class PlayCommands : public QObject {
    Q_OBJECT
public:
    PlayCommands(AppContext& context, QMainWindow& window, QTabWidget& tabs);

    QAction* playLevel() const { return m_playLevel; }
    QAction* playFromHere() const { return m_playFromHere; }
    GameSession& session() const { return *m_session; }

    // True when the game was started.
    bool play(std::optional<PlaySpot> from);
    // Where "Play from here" puts the player: the 3D view's place and nearest direction when
    // the 3D page is shown, else the map cell under the mouse or the selected one, facing north.
    std::optional<PlaySpot> spotHere() const;

private:
    AppContext& m_context;
    QMainWindow& m_window;
    QTabWidget& m_tabs;
    GameSession* m_session = nullptr;
    QAction* m_playLevel = nullptr;
    QAction* m_playFromHere = nullptr;
    QPoint m_mouseCell{-1, -1};
};

} // namespace zentrik::gui
