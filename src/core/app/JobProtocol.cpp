#include "app/JobProtocol.h"

namespace zentrik {

void JobReporter::begin(const std::string& phase, const std::string& counter) {
    m_progress.setPhase(phase);
    m_progress.setCounter(counter);
    m_progress.setRange(0, kBarMax);
    m_progress.setPosition(0);
}

void JobReporter::item(int i, int n) {
    m_progress.setCounter(std::to_string(i + 1) + "/" + std::to_string(n));
    m_progress.setPosition(barPosition(i, n));
}

int finishJob(QuietTime& quiet, const Clock& clock, int code) {
    quiet.mark(clock);
    return code;
}

bool checkJobResult(int code, Prompter& prompter, const std::string& callerName) {
    if (code == JobResult::Done || code == JobResult::Failed || code == JobResult::FailedUntouched)
        return true;
    prompter.message("Unexpected m_Progress response!", callerName, MessageIcon::Error);
    return false;
}

} // namespace zentrik
