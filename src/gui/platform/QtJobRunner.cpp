#include "platform/QtJobRunner.h"

#include "platform/ProgressWindow.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <chrono>
#include <thread>

namespace zentrik::gui {

namespace {

// The worker's side of the window: every report is queued to the user-interface thread. A
// report still queued when the window goes away is dropped with it.
class WindowProgress final : public Progress {
public:
    WindowProgress(ProgressWindow* window, const std::atomic<bool>& cancel)
        : m_window(window), m_cancel(cancel) {}

    void setPhase(const std::string& text) override {
        post([w = m_window, t = QString::fromStdString(text)] { w->setPhase(t); });
    }
    void setCounter(const std::string& text) override {
        post([w = m_window, t = QString::fromStdString(text)] { w->setCounter(t); });
    }
    void setRange(int lo, int hi) override {
        post([w = m_window, lo, hi] { w->setRange(lo, hi); });
    }
    void setPosition(int pos) override {
        post([w = m_window, pos] { w->setPosition(pos); });
    }
    bool cancelled() const override { return m_cancel.load(std::memory_order_acquire); }

private:
    template <typename Fn> void post(Fn fn) {
        QMetaObject::invokeMethod(m_window, std::move(fn), Qt::QueuedConnection);
    }
    ProgressWindow* m_window;
    const std::atomic<bool>& m_cancel;
};

int runWorker(const JobWorker& worker, Progress& progress) {
    try {
        return worker(progress);
    } catch (...) {
        // A worker that throws (out of memory, most likely) has failed; its data is unusable.
        return JobResult::Failed;
    }
}

} // namespace

int QtJobRunner::run(const JobWorker& worker) {
    std::unique_ptr<ProgressWindow> own;
    ProgressWindow* window = m_batch;
    if (!window) {
        own = std::make_unique<ProgressWindow>(m_parent.data());
        window = own.get();
    }
    // In a batch a Cancel stands for the rest of it: the jobs still to come fail at once.
    std::atomic<bool> cancel{window->cancelRequested()};
    std::atomic<bool> finished{false};
    std::atomic<int> workerCode{JobResult::Failed};
    const auto cancelWatch =
        QObject::connect(window, &ProgressWindow::cancelRequestedChanged, window,
                         [&cancel] { cancel.store(true, std::memory_order_release); });
    if (onWindowCreated && own)
        onWindowCreated(*window);

    QEventLoop batchLoop;
    WindowProgress progress(window, cancel);
    std::thread thread([&] {
        const int code = runWorker(worker, progress);
        workerCode.store(code);
        finished.store(true, std::memory_order_release);
        QMetaObject::invokeMethod(
            window,
            [w = window, code, batch = !own, loop = &batchLoop] {
                if (batch)
                    loop->quit(); // the window stays up for the next job
                else
                    w->finish(code);
            },
            Qt::QueuedConnection);
    });

    if (own)
        window->exec();
    else
        batchLoop.exec();

    // The window can only end early when the whole application quits. Stop the worker and keep
    // serving its questions (which wait on this thread) until it has returned.
    while (!finished.load(std::memory_order_acquire)) {
        cancel.store(true, std::memory_order_release);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    thread.join();
    QObject::disconnect(cancelWatch);
    if (m_quiet && m_clock && own)
        m_quiet->mark(*m_clock);
    // After Cancel the job counts as failed even if the worker got to its end: the user was
    // told it stops, and the caller discards what it built.
    return cancel.load() ? JobResult::Failed : workerCode.load();
}

void QtJobRunner::beginBatch() {
    if (m_batch)
        return;
    m_batch = new ProgressWindow(m_parent.data());
    m_batch->setWindowModality(Qt::ApplicationModal);
    if (onWindowCreated)
        onWindowCreated(*m_batch);
    m_batch->show();
}

void QtJobRunner::endBatch() {
    delete m_batch;
    m_batch = nullptr;
    if (m_quiet && m_clock)
        m_quiet->mark(*m_clock);
}

} // namespace zentrik::gui
