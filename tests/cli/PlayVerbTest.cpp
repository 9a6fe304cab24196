// zentrik-cli play: the play folder, the exact command, the messages of a missing runner, and
// the real game started headless under DOSBox.
#include "CliRunner.h"
#include "TestSupport.h"

#include "play/GameRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

// A copy of the shareware folder, a cache folder and a home of the test's own.
struct PlayCli {
    TempDir tmp;
    fs::path game = tmp / "game";
    fs::path bin = tmp / "bin";
    PlayCli() {
        fs::create_directories(game);
        fs::create_directories(bin);
        fs::create_directories(tmp / "home");
        for (const auto& e : fs::directory_iterator(gamedataDir() / "wl1"))
            fs::copy_file(e.path(), game / e.path().filename());
    }
    fs::path play() const { return tmp / "cache" / "Zentrik" / "play" / "WL1"; }
    std::string env(const std::string& path) const {
        return "HOME=" + q(tmp / "home") + " XDG_CACHE_HOME=" + q(tmp / "cache") +
               " PATH=" + q(path) + " ";
    }
    CliResult run(const std::string& args, const std::string& path) {
        return runCli(args, tmp.path().string(), env(path));
    }
};

TEST(PlayVerb, DryRunPrintsTheFolderAndTheExactCommand) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayCli f;
    writeBytes(f.bin / "dosbox", {'#', '!'});
    fs::permissions(f.bin / "dosbox", fs::perms::owner_all);
    const auto before = everyFile(f.game);
    CliResult r = f.run("play " + q(f.game) + " 7 --skill 0 --dry-run --json", f.bin.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const fs::path conf = f.play().parent_path() / "WL1.conf";
    EXPECT_EQ(r.out, "{\"folder\": \"" + f.play().string() + "\", \"program\": \"" +
                         (f.bin / "dosbox").string() +
                         "\", \"arguments\": [\"-userconf\", \"-conf\", \"" + conf.string() +
                         "\"], \"level\": 7}\n");
    EXPECT_NE(readBytes(conf).size(), 0u);
    EXPECT_EQ(everyFile(f.play()), before);
    EXPECT_EQ(everyFile(f.game), before);

    // A template runner waits for its program: its exit code decides the tool's.
    r = f.run("play " + q(f.game) + " 0 --runner template --program true --args '{level}'",
              "/bin:/usr/bin");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = f.run("play " + q(f.game) + " 0 --runner template --program false", "/bin:/usr/bin");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("ended with exit code 1"), std::string::npos) << r.err;
    EXPECT_EQ(everyFile(f.game), before);
}

TEST(PlayVerb, MissingRunnerExecutableOrLevelStartsNothing) {
    ZENTRIK_REQUIRE_GAMEDATA();
    PlayCli f;
    CliResult r = f.run("play " + q(f.game) + " 0", f.bin.string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, std::string("Play level: ") + kDosBoxMissing + "\n");
    EXPECT_FALSE(fs::exists(f.play()));

    writeBytes(f.bin / "dosbox", {'#', '!'});
    fs::permissions(f.bin / "dosbox", fs::perms::owner_all);
    fs::remove(f.game / "WOLF3D.EXE");
    r = f.run("play " + q(f.game) + " 0 --dry-run", f.bin.string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("looked for WOLF3D.EXE and SPEAR.EXE"), std::string::npos) << r.err;
    r = f.run("play " + q(f.game) + " 10 --dry-run --exe VENDOR.DOC", f.bin.string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Level 10 is not in"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(f.play()));
    EXPECT_EQ(f.run("play " + q(f.game) + " 0 --skill 4", f.bin.string()).exitCode, 2);
    EXPECT_EQ(f.run("play " + q(f.game) + " 0 --from 1 2", f.bin.string()).exitCode, 2);
}

// Starts the tool in a process group of its own; stop() ends the group (tool and game).
class Running {
public:
    explicit Running(const std::string& command) {
        m_pid = fork();
        if (m_pid == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(m_pid, m_pid);
    }
    ~Running() { stop(); }
    // True when the tool ended within the time.
    bool endsWithin(std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }
    void stop() {
        if (m_pid <= 0)
            return;
        kill(-m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

TEST(PlayVerb, TheRealGameRunsFromThePlayFolderAndABrokenOneEndsEarly) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const char* path = std::getenv("PATH");
    if (findProgram("dosbox", path ? path : "").empty())
        GTEST_SKIP() << "dosbox is not installed (Debian package dosbox)";
    PlayCli f;
    const auto before = everyFile(f.game);
    const std::string command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
                                f.env(path ? path : "") + "'" + ZENTRIK_CLI + "' play " +
                                q(f.game) + " 3 >/dev/null 2>&1";
    {
        // The game quits to DOS (and DOSBox with it) when it cannot load a file, so a game
        // still running once it had time to load found every file of the play folder.
        Running game(command);
        EXPECT_FALSE(game.endsWithin(std::chrono::seconds(12)));
    }
    EXPECT_EQ(everyFile(f.game), before);
    EXPECT_TRUE(fs::exists(f.play() / "VSWAP.WL1"));

    writeBytes(f.game / "VSWAP.WL1", {}); // the copy gets an empty page file
    Running broken(command);
    EXPECT_TRUE(broken.endsWithin(std::chrono::seconds(120)));
}

} // namespace
} // namespace zentrik::test
