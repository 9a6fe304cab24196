// A save killed (SIGKILL) at random moments: afterwards, once the next start of the program has
// read the files, every file of each set exists and each set is entirely old or entirely new.
#include "io/SafeFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

struct FileSet {
    std::vector<std::string> names;
    std::vector<Bytes> old, fresh;
};

// What the map and graphics savers hand to the file layer: both sets of the shareware game,
// every byte changed (the savers' own work happens in memory and touches no file).
std::vector<FileSet> shareSets() {
    std::vector<FileSet> sets{{{"GAMEMAPS.WL1", "MAPHEAD.WL1"}, {}, {}},
                              {{"VGADICT.WL1", "VGAGRAPH.WL1", "VGAHEAD.WL1"}, {}, {}}};
    for (auto& s : sets) {
        for (const auto& n : s.names) {
            s.old.push_back(readGameFile("wl1/" + n));
            s.fresh.push_back(s.old.back());
            for (auto& b : s.fresh.back())
                b ^= 0x5A;
        }
    }
    return sets;
}

// The child says on `pipe` when it starts saving and, when it gets there, how many
// microseconds the save took.
[[noreturn]] void saveAndExit(const fs::path& dir, const std::vector<FileSet>& sets, int pipe) {
    const auto start = std::chrono::steady_clock::now();
    if (write(pipe, "s", 1) != 1)
        _exit(2);
    for (const auto& s : sets) {
        FileReplacement r;
        for (size_t i = 0; i < s.names.size(); ++i)
            if (!r.stage(dir / s.names[i], s.fresh[i]))
                _exit(1);
        if (!r.commit())
            _exit(1);
    }
    const int64_t took = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
    _exit(write(pipe, &took, sizeof took) == sizeof took ? 0 : 2);
}

// Starts the save in a child and kills it `delay` after it began (never, for a negative
// delay); returns how long the save took when it got to the end, else -1.
int64_t saveKilledAfter(const fs::path& dir, const std::vector<FileSet>& sets,
                        std::chrono::microseconds delay) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        saveAndExit(dir, sets, fds[1]);
    }
    close(fds[1]);
    char started = 0;
    int64_t took = -1;
    if (read(fds[0], &started, 1) == 1 && delay.count() >= 0) {
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
    }
    if (read(fds[0], &took, sizeof took) != sizeof took)
        took = -1;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return took;
}

// Memory-backed when the system has it: the flushes then cost nothing and 200 saves take a
// second, while the order of the steps, which is what a kill tests, stays the same.
class ScratchDir {
public:
    ScratchDir() {
        std::error_code ec;
        const fs::path shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm, ec) ? shm : fs::temp_directory_path();
        m_path = base / ("zentrik-kill-" + std::to_string(getpid()) + "-" + std::to_string(++s_n));
        fs::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
    static inline int s_n = 0;
};

void putOld(const fs::path& dir, const std::vector<FileSet>& sets) {
    for (const auto& s : sets)
        for (size_t i = 0; i < s.names.size(); ++i)
            writeBytes(dir / s.names[i], s.old[i]);
}

} // namespace

TEST(KilledSave, EverySetIsWholeOldOrWholeNewAfterSigkillAtRandomMoments) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto sets = shareSets();
    ScratchDir dir;
    putOld(dir.path(), sets);
    std::mt19937 random(19);
    // How long an unhurried save takes bounds the moments to kill at.
    const int64_t full = saveKilledAfter(dir.path(), sets, std::chrono::microseconds(-1));
    ASSERT_GT(full, 0);
    int counts[2] = {0, 0};
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        ScratchDir d;
        putOld(d.path(), sets);
        std::uniform_int_distribution<int64_t> moment(0, full * 5 / 4);
        saveKilledAfter(d.path(), sets, std::chrono::microseconds(moment(random)));
        for (const auto& s : sets) {
            readWholeFile(d / s.names[0]); // the next load finishes an interrupted commit
            std::vector<Bytes> now;
            for (const auto& n : s.names) {
                ASSERT_TRUE(fs::exists(d / n)) << n;
                now.push_back(readBytes(d / n));
            }
            EXPECT_TRUE(now == s.old || now == s.fresh) << s.names[0];
            ++counts[now == s.fresh];
        }
    }
    std::cout << "killed saves: " << counts[0] << " sets old, " << counts[1] << " sets new\n";
    // Both outcomes must have been seen, or the moments missed the save.
    EXPECT_GT(counts[0], 0);
    EXPECT_GT(counts[1], 0);
}
