#include "app/JobProtocol.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

// A job in the usual shape: one phase, N items, Cancel checked once per item. It builds its
// result aside and hands it over only when it completes.
int countingJob(Progress& p, int n, std::vector<int>& out, QuietTime& quiet, const Clock& clock) {
    JobReporter r(p);
    r.begin("Loading Maps...", "0/" + std::to_string(n));
    std::vector<int> built;
    for (int i = 0; i < n; ++i) {
        if (r.cancelled())
            return finishJob(quiet, clock, JobResult::Failed);
        r.item(i, n);
        built.push_back(i);
    }
    out = std::move(built);
    return finishJob(quiet, clock, JobResult::Done);
}

} // namespace

TEST(JobProtocol, CancelEndsWithTwoAndKeepsTheOldData) {
    InlineJobRunner runner;
    runner.cancelAfter = 1 + 10; // the phase's position 0, then ten items
    FakeClock clock;
    QuietTime quiet;
    std::vector<int> data{42};
    EXPECT_EQ(runner.run([&](Progress& p) { return countingJob(p, 100, data, quiet, clock); }),
              JobResult::Failed);
    EXPECT_EQ(data, std::vector<int>{42});
    EXPECT_EQ(runner.progress.counter, "10/100");
    // A second job can start at once.
    runner.cancelAfter = -1;
    EXPECT_EQ(runner.run([&](Progress& p) { return countingJob(p, 3, data, quiet, clock); }),
              JobResult::Done);
    EXPECT_EQ(data.size(), 3u);
}
