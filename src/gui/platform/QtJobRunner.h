#pragma once

#include "platform/Clock.h"
#include "platform/Progress.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace zentrik::gui {

class ProgressWindow;

// Runs a job's worker on its own thread while the modal "Progress" window keeps the user
// interface alive. The worker's reports are queued to the window, never waited for. Cancel is
// cooperative: Progress::cancelled() turns true, the window says "Cancelling..." and the run
// ends with 2 once the worker has returned. The worker thread is always joined before run()
// returns, so a caller may discard what a cancelled load built.
class QtJobRunner final : public JobRunner {
public:
    explicit QtJobRunner(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    // Marked when a job's window closes, whatever the worker did, so the click on Cancel does
    // not reach a map view either.
    void setQuietTime(QuietTime* quiet, const Clock* clock) {
        m_quiet = quiet;
        m_clock = clock;
    }
    int run(const JobWorker& worker) override;
    void beginBatch() override;
    void endBatch() override;

    // Called with each new window just before it runs; tests use it to reach the window.
    std::function<void(ProgressWindow&)> onWindowCreated;

private:
    QPointer<QWidget> m_parent;
    QuietTime* m_quiet = nullptr;
    const Clock* m_clock = nullptr;
    ProgressWindow* m_batch = nullptr; // the window the jobs of a batch share
};

} // namespace zentrik::gui
