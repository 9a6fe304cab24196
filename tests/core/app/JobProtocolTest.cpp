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

TEST(JobProtocol, CounterAndBarFollowTheItems) {
    InlineJobRunner runner;
    FakeClock clock;
    clock.set(5000);
    QuietTime quiet;
    std::vector<int> data;
    const int code =
        runner.run([&](Progress& p) { return countingJob(p, 500, data, quiet, clock); });
    EXPECT_EQ(code, JobResult::Done);
    EXPECT_EQ(runner.progress.phase, "Loading Maps...");
    EXPECT_EQ(runner.progress.counter, "500/500");
    EXPECT_EQ(runner.progress.lo, 0);
    EXPECT_EQ(runner.progress.hi, 101);
    EXPECT_EQ(runner.progress.position, 100); // one below the range's end
    EXPECT_EQ(data.size(), 500u);
    EXPECT_EQ(quiet.at(), 5000u);
}

TEST(JobProtocol, BarPositions) {
    EXPECT_EQ(JobReporter::barPosition(0, 3), 1);
    EXPECT_EQ(JobReporter::barPosition(1, 3), 34);
    EXPECT_EQ(JobReporter::barPosition(2, 3), 67);
    EXPECT_EQ(JobReporter::barPosition(0, 1), 1);
    EXPECT_EQ(JobReporter::barPosition(9, 10), 91);
    EXPECT_EQ(JobReporter::barPosition(0, 0), 0);
}

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

TEST(JobProtocol, UnexpectedCodesAreReportedWithTheCallersName) {
    StrictPrompter prompter;
    EXPECT_TRUE(checkJobResult(1, prompter, "CZentrikDlg::SaveFonts()"));
    EXPECT_TRUE(checkJobResult(2, prompter, "CZentrikDlg::SaveFonts()"));
    EXPECT_TRUE(checkJobResult(3, prompter, "CZentrikDlg::SaveFonts()"));
    EXPECT_FALSE(checkJobResult(0, prompter, "CZentrikDlg::SaveFonts()"));
    EXPECT_FALSE(checkJobResult(4, prompter, "CZentrikDlg::SaveGraphics()"));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "Unexpected m_Progress response!");
    EXPECT_EQ(prompter.messages[0].caption, "CZentrikDlg::SaveFonts()");
    EXPECT_EQ(prompter.messages[1].caption, "CZentrikDlg::SaveGraphics()");
}

TEST(QuietTime, PressesWithinOneSecondAreIgnored) {
    QuietTime quiet;
    EXPECT_FALSE(quiet.ignoresPressAt(0)); // nothing has ended yet
    EXPECT_FALSE(quiet.ignoresPressAt(0x90000000u));
    quiet.set(10000);
    EXPECT_TRUE(quiet.ignoresPressAt(10000));
    EXPECT_TRUE(quiet.ignoresPressAt(11000)); // now - 1000 is not later than the quiet time
    EXPECT_FALSE(quiet.ignoresPressAt(11001));
    // Across the wrap of the 32-bit millisecond clock.
    quiet.set(0xFFFFFF00u);
    EXPECT_TRUE(quiet.ignoresPressAt(0x00000100u));
    EXPECT_FALSE(quiet.ignoresPressAt(0x00000400u));
}
