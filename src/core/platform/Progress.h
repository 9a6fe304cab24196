#pragma once

#include <atomic>
#include <functional>
#include <string>

namespace zentrik {

// What a background job reports to the user while it works, and how it learns of Cancel.
// The worker calls these from its own thread; implementations hand them to the UI thread.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setPhase(const std::string& text) = 0;
    virtual void setCounter(const std::string& text) = 0;
    virtual void setRange(int lo, int hi) = 0;
    virtual void setPosition(int pos) = 0;
    // Cooperative cancel: the worker checks once per item and ends with JobResult::Failed.
    virtual bool cancelled() const = 0;
};

// The codes with which a job's progress window ends.
namespace JobResult {
inline constexpr int Done = 1;            // the new data is in place
inline constexpr int Failed = 2;          // failed or cancelled; what the job built is unusable
inline constexpr int FailedUntouched = 3; // failed before anything was changed
} // namespace JobResult

using JobWorker = std::function<int(Progress&)>;

// Runs one job: the GUI on a worker thread beside the modal "Progress" window, the tests and
// the command-line tool inline. Returns the code the job ended with (2 after Cancel).
class JobRunner {
public:
    virtual ~JobRunner() = default;
    virtual int run(const JobWorker& worker) = 0;
    // Between these, the jobs of one command (Load All) share one progress window, and a
    // Cancel stops every job still to come.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// Progress that shows nothing; records the last texts so tests can look at them, and can be
// told to report Cancel after a number of position updates.
class InlineProgress : public Progress {
public:
    void setPhase(const std::string& text) override { phase = text; }
    void setCounter(const std::string& text) override { counter = text; }
    void setRange(int l, int h) override {
        lo = l;
        hi = h;
    }
    void setPosition(int pos) override {
        position = pos;
        ++updates;
    }
    bool cancelled() const override { return cancelAfter >= 0 && updates >= cancelAfter; }

    std::string phase, counter;
    int lo = 0, hi = 100, position = 0, updates = 0;
    int cancelAfter = -1; // -1: never
};

class InlineJobRunner : public JobRunner {
public:
    int run(const JobWorker& worker) override {
        progress = InlineProgress{};
        progress.cancelAfter = cancelAfter;
        return worker(progress);
    }
    InlineProgress progress;
    int cancelAfter = -1;
};

} // namespace zentrik
