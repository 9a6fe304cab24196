#include "app/JobProtocol.h"
#include "GuiTestSupport.h"
#include "platform/ProgressWindow.h"
#include "platform/QtJobRunner.h"
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace zentrik::gui {
namespace {

using namespace std::chrono_literals;

// Waits on the worker's side for something the user-interface thread does; gives up after a
// while so that a broken runner fails the test instead of hanging it.
bool waitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 5000 && !flag.load(); ++i)
        std::this_thread::sleep_for(1ms);
    return flag.load();
}

// Calls check on the user-interface thread every few milliseconds while the window is open.
void pollWhileOpen(ProgressWindow& window, std::function<void()> check) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, std::move(check));
    timer->start(5);
}

// Done and Failed after a shown window are seen by the tests of Cancel and of batches below.
TEST(JobRunner, ShowsWhatTheWorkerReportsAndEndsWithItsCode) {
    QtJobRunner runner;
    std::atomic<bool> shown{false};
    runner.onWindowCreated = [&](ProgressWindow& w) {
        EXPECT_EQ(w.windowTitle(), "Progress");
        EXPECT_EQ(w.cancelButton()->text(), "Cancel");
        pollWhileOpen(w, [&w, &shown] {
            if (w.isVisible() && w.phaseLabel()->text() == "Saving Maps..." &&
                w.counterLabel()->text() == "3/3" && w.bar()->maximum() == 101 &&
                w.bar()->value() == 67) {
                test::saveSnapshot(w, "progress-window");
                shown = true;
            }
        });
    };
    std::atomic<bool> workerSawIt{false};
    const int result = runner.run([&](Progress& p) {
        JobReporter r(p);
        r.begin("Saving Maps...", "0/3");
        for (int i = 0; i < 3; ++i)
            r.item(i, 3);
        workerSawIt = waitFor(shown);
        return JobResult::FailedUntouched;
    });
    EXPECT_EQ(result, JobResult::FailedUntouched);
    EXPECT_TRUE(workerSawIt);
}

TEST(JobRunner, CancelStopsTheWorkerEndsWithTwoAndAllowsTheNextJob) {
    QtJobRunner runner;
    std::atomic<bool> workerReturned{false};
    bool openWhileStopping = false;
    QString phaseWhileStopping;
    runner.onWindowCreated = [&](ProgressWindow& w) {
        QTimer::singleShot(50, &w, [&] {
            w.cancelButton()->click();
            // The window waits for the worker to stop rather than vanishing under it.
            openWhileStopping = w.isVisible() && !workerReturned;
            phaseWhileStopping = w.phaseLabel()->text();
        });
    };
    int itemsDone = 0;
    const int result = runner.run([&](Progress& p) {
        JobReporter r(p);
        r.begin("Loading Maps...", "0/100000");
        for (int i = 0; i < 100000; ++i) {
            if (r.cancelled())
                break;
            r.item(i, 100000);
            ++itemsDone;
            std::this_thread::sleep_for(1ms);
        }
        std::this_thread::sleep_for(30ms); // still tidying up when the window is asked to go
        r.begin("Still working", "");      // a late report must not hide "Cancelling..."
        workerReturned = true;
        return JobResult::Done; // even a worker that claims success was cancelled
    });
    EXPECT_EQ(result, JobResult::Failed);
    EXPECT_TRUE(workerReturned); // joined: nothing of the worker runs any more
    EXPECT_LT(itemsDone, 100000);
    EXPECT_TRUE(openWhileStopping);
    EXPECT_EQ(phaseWhileStopping, "Cancelling...");

    // The next job starts at once; its end marks the quiet time even though its worker did not.
    FakeClock clock;
    clock.set(7000);
    QuietTime quiet;
    runner.setQuietTime(&quiet, &clock);
    runner.onWindowCreated = nullptr;
    EXPECT_EQ(runner.run([](Progress& p) { return p.cancelled() ? 2 : 1; }), JobResult::Done);
    EXPECT_TRUE(quiet.ignoresPressAt(7999));
    EXPECT_FALSE(quiet.ignoresPressAt(8001));
}

TEST(JobRunner, AWorkerThatEndsAtOnceOrThrowsEndsTheWindow) {
    QtJobRunner runner;
    EXPECT_EQ(runner.run([](Progress&) { return JobResult::FailedUntouched; }),
              JobResult::FailedUntouched);
    EXPECT_EQ(runner.run([](Progress&) -> int { throw std::bad_alloc(); }), JobResult::Failed);
    // An unknown code reaches the caller, which reports it.
    EXPECT_EQ(runner.run([](Progress&) { return 7; }), 7);
}

TEST(JobRunner, TheWorkerCanAskTheUserFromItsThread) {
    QtJobRunner runner;
    QtPrompter prompter;
    runner.onWindowCreated = [](ProgressWindow& w) {
        pollWhileOpen(w, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->text() == "Overwrite?" && box->windowTitle() == "Zentrik")
                box->button(QMessageBox::Yes)->click();
        });
    };
    const int result = runner.run([&](Progress&) {
        const Answer a =
            prompter.ask("Overwrite?", "Zentrik", Buttons::YesNo, MessageIcon::Question);
        return a == Answer::Yes ? JobResult::Done : JobResult::Failed;
    });
    EXPECT_EQ(result, JobResult::Done);
}

// One command's jobs share one window; a Cancel during one fails the ones still to come.
TEST(JobRunnerBatch, OneWindowForAllJobsAndCancelStopsTheRest) {
    QtJobRunner runner;
    int windows = 0;
    ProgressWindow* shared = nullptr;
    runner.onWindowCreated = [&](ProgressWindow& w) {
        ++windows;
        shared = &w;
    };
    runner.beginBatch();
    EXPECT_EQ(runner.run([](Progress&) { return JobResult::Done; }), JobResult::Done);
    EXPECT_EQ(runner.run([&](Progress&) {
        QMetaObject::invokeMethod(
            shared, [&] { shared->requestCancel(); }, Qt::QueuedConnection);
        std::this_thread::sleep_for(50ms);
        return JobResult::Done;
    }),
              JobResult::Failed);
    bool ranAfterCancel = false;
    EXPECT_EQ(runner.run([&](Progress& p) {
        ranAfterCancel = !p.cancelled();
        return JobResult::Done;
    }),
              JobResult::Failed);
    EXPECT_FALSE(ranAfterCancel);
    runner.endBatch();
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(runner.run([](Progress&) { return JobResult::Done; }), JobResult::Done)
        << "a new command starts afresh";
}

} // namespace
} // namespace zentrik::gui
