#pragma once

#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <string>

namespace zentrik {

// The reporting every job does through its progress window: a phase text, a "%i/%i" counter
// and a bar over 0..101 whose position for item i of N is i * 100 / N + 1.
class JobReporter {
public:
    static constexpr int kBarMax = 101;

    explicit JobReporter(Progress& progress) : m_progress(progress) {}

    // A new phase: its text, a counter text and the bar back at 0.
    void begin(const std::string& phase, const std::string& counter);
    // Item i (from 0) of n: counter "i+1/n" and the bar.
    void item(int i, int n);
    bool cancelled() const { return m_progress.cancelled(); }
    Progress& progress() { return m_progress; }

    static int barPosition(int i, int n) { return n > 0 ? int(int64_t(i) * 100 / n) + 1 : 0; }

private:
    Progress& m_progress;
};

// The last thing a worker does: mark the quiet time, hand back the code.
int finishJob(QuietTime& quiet, const Clock& clock, int code);

// What the caller does with a code it did not expect: "Unexpected m_Progress response!" with
// its own name as caption. Returns true for the three known codes.
bool checkJobResult(int code, Prompter& prompter, const std::string& callerName);

} // namespace zentrik
