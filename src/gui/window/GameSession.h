#pragma once

#include "play/GameRunner.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>

namespace zentrik::gui {

class AppContext;

// The game started by "Play level": one process beside the editor, whose output is kept so
// that a runner failing to start, or ending with an error, can be shown with what it printed.
class GameSession : public QObject {
    Q_OBJECT
public:
    explicit GameSession(AppContext& context, QObject* parent = nullptr);
    // A game still running when the editor closes is stopped with it.
    ~GameSession() override;

    bool running() const;
    // Starts the command; false (after a message) when it cannot be started.
    bool start(const PlayCommand& command);
    void stop();

    QString commandText() const { return m_commandText; }
    QString output() const { return QString::fromLocal8Bit(m_output); }

signals:
    void ended(int exitCode, bool crashed);

private:
    void report(const QString& what);

    AppContext& m_context;
    QProcess* m_process = nullptr;
    QByteArray m_output;
    QString m_commandText;
    QElapsedTimer m_clock;
};

} // namespace zentrik::gui
