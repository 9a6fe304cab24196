#include "window/GameSession.h"

#include "context/AppContext.h"

namespace zentrik::gui {

namespace {
constexpr const char* kCaption = "Play level";
constexpr int kStopWaitMs = 3000;
// What a message shows of the runner's output: its last lines are the ones that say why.
constexpr qsizetype kKeptOutput = 64 * 1024;
constexpr qsizetype kShownOutput = 2000;
// DOSBox ends without an error when the game in it quits at once (a data file it cannot
// load), so a runner that is gone this soon is reported whatever its exit code.
constexpr qint64 kAtOnceMs = 2000;
} // namespace

GameSession::GameSession(AppContext& context, QObject* parent)
    : QObject(parent), m_context(context) {}

GameSession::~GameSession() {
    stop();
}

bool GameSession::running() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

void GameSession::stop() {
    if (!running())
        return;
    QProcess* p = m_process;
    p->disconnect(this);
    p->kill();
    p->waitForFinished(kStopWaitMs);
}

bool GameSession::start(const PlayCommand& command) {
    stop();
    if (m_process)
        m_process->deleteLater();
    m_output.clear();
    m_commandText = QString::fromStdString(commandLineText(command));
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setWorkingDirectory(QString::fromStdString(command.workingFolder.string()));
    QStringList args;
    for (const std::string& a : command.arguments)
        args << QString::fromStdString(a);
    QProcess* p = m_process;
    connect(p, &QProcess::readyRead, this, [this, p] {
        m_output += p->readAll();
        if (m_output.size() > kKeptOutput)
            m_output.remove(0, m_output.size() - kKeptOutput);
    });
    connect(p, &QProcess::finished, this, [this, p](int code, QProcess::ExitStatus status) {
        m_output += p->readAll();
        const bool crashed = status == QProcess::CrashExit;
        if (crashed || code != 0)
            report(crashed ? QStringLiteral("ended abnormally")
                           : QStringLiteral("ended with exit code %1").arg(code));
        else if (m_clock.elapsed() < kAtOnceMs)
            report(QStringLiteral("ended at once, before the game could have loaded its files"));
        emit ended(code, crashed);
    });
    m_clock.start();
    p->start(QString::fromStdString(command.program), args);
    if (!p->waitForStarted()) {
        report(QStringLiteral("could not be started: %1").arg(p->errorString()));
        return false;
    }
    return true;
}

void GameSession::report(const QString& what) {
    QString text = m_commandText + QStringLiteral("\n") + what;
    QString printed = output().trimmed();
    if (printed.size() > kShownOutput)
        printed = QStringLiteral("...") + printed.right(kShownOutput);
    if (!printed.isEmpty())
        text += QStringLiteral(":\n\n") + printed;
    if (m_context.prompter)
        m_context.prompter->message(text.toStdString(), kCaption, MessageIcon::Exclamation);
}

} // namespace zentrik::gui
