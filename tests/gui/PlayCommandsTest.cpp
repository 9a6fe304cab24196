// "Play level" and "Play from here" in the main window: the play folder, the runner started
// beside the editor, what a failing runner printed, the second play's question, the spot of
// each page, and the Config page's runner kept per extension.
#include "EditorFixture.h"

#include "mapedit/CPropMapEdit.h"
#include "pages/CPropConfig.h"
#include "pages/GameRunnerGroup.h"
#include "play/PlayFolder.h"
#include "window/GameSession.h"
#include "window/PlayCommands.h"
#include "world3d/CProp3DEdit.h"
#include "world3d/WinWolfCtrl.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <cstdlib>
#include <map>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the test's length.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class PlayWindow : public EditorTest {
protected:
    TempDir scratch;
    fs::path game = scratch / "game";
    fs::path bin = scratch / "bin";
    ScopedEnv cache{"XDG_CACHE_HOME", (scratch / "cache").string()};
    ScopedEnv path{"PATH", bin.string()};

    PlayWindow() {
        fs::create_directories(game);
        fs::create_directories(bin);
        for (const char* f : {"MAPHEAD.WL1", "GAMEMAPS.WL1", "VSWAP.WL1", "WOLF3D.EXE"})
            fs::copy_file(gamedataDir() / "wl1" / f, game / f);
    }
    // A stand-in for DOSBox: the shell lines run with its arguments.
    void fakeDosBox(const std::string& body) {
        const std::string script = "#!/bin/sh\n" + body + "\n";
        writeBytes(bin / "dosbox", std::vector<uint8_t>(script.begin(), script.end()));
        fs::permissions(bin / "dosbox", fs::perms::owner_all);
    }
    gui::PlayCommands& play() {
        start();
        EXPECT_TRUE(context->workspace.loadMaps(MapFileName::split(game / "GAMEMAPS.WL1")));
        return *window->playCommands();
    }
    fs::path playFolder() const { return scratch / "cache" / "Zentrik" / "play" / "WL1"; }
    static bool waitEnd(gui::PlayCommands& p) {
        return QTest::qWaitFor([&] { return !p.session().running(); }, 20000);
    }
};

TEST_F(PlayWindow, F9PlaysTheLevelAsInMemoryAndLeavesGameAndWorkspaceAlone) {
    ZENTRIK_REQUIRE_GAMEDATA();
    fakeDosBox("echo \"$@\" > \"" + (scratch / "args").string() + "\"");
    gui::PlayCommands& p = play();
    EXPECT_EQ(p.playLevel()->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(p.playFromHere()->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
    Workspace& ws = context->workspace;
    ws.levels().currentLevel = 1;
    ASSERT_TRUE(ws.editLevel([&] { ws.levels().current()->planes[0][130] = 3; }));
    const auto before = everyFile(game);

    p.playLevel()->trigger();
    ASSERT_TRUE(waitEnd(p));
    const fs::path conf = playFolder().parent_path() / "WL1.conf";
    const auto args = readBytes(scratch / "args");
    EXPECT_EQ(std::string(args.begin(), args.end()), "-userconf -conf " + conf.string() + "\n");
    const auto confBytes = readBytes(conf);
    EXPECT_NE(std::string(confBytes.begin(), confBytes.end()).find("WOLF3D.EXE TEDLEVEL 1 NOWAIT"),
              std::string::npos);
    EXPECT_EQ(everyFile(game), before);
    EXPECT_NE(readBytes(playFolder() / "GAMEMAPS.WL1"), before.at("GAMEMAPS.WL1"));
    EXPECT_TRUE(ws.isModified(DataSet::Maps));
    // A runner gone at once is said even without an error: DOSBox ends that way when the
    // game in it could not load a file.
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find("ended at once"), std::string::npos);
}

TEST_F(PlayWindow, AFailingRunnerShowsWhatRanAndWhatItPrinted) {
    ZENTRIK_REQUIRE_GAMEDATA();
    fakeDosBox("echo cannot open display; exit 3");
    gui::PlayCommands& p = play();
    ASSERT_TRUE(p.play(std::nullopt));
    ASSERT_TRUE(waitEnd(p));
    ASSERT_EQ(prompter.messages.size(), 1u);
    const std::string& text = prompter.messages[0].text;
    EXPECT_EQ(prompter.messages[0].caption, "Play level");
    EXPECT_EQ(text.rfind((bin / "dosbox").string() + " -userconf -conf ", 0), 0u) << text;
    EXPECT_NE(text.find("ended with exit code 3:\n\ncannot open display"), std::string::npos)
        << text;
}

TEST_F(PlayWindow, ASecondPlayAsksWhetherToStopTheFirst) {
    ZENTRIK_REQUIRE_GAMEDATA();
    fakeDosBox("exec /bin/sleep 60");
    gui::PlayCommands& p = play();
    ASSERT_TRUE(p.play(std::nullopt));
    prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(p.play(std::nullopt));
    EXPECT_TRUE(p.session().running());
    prompter.expectQuestion(Answer::Yes);
    EXPECT_TRUE(p.play(std::nullopt));
    EXPECT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[0].text,
              "The game is still running. Stop it and start the level again?");
    p.session().stop();
    EXPECT_FALSE(p.session().running());
    EXPECT_TRUE(prompter.messages.empty()); // a game stopped by the user is no failure
}

TEST_F(PlayWindow, WithoutDosBoxOrMapsNothingStarts) {
    ZENTRIK_REQUIRE_GAMEDATA();
    start();
    gui::PlayCommands& p = *window->playCommands();
    EXPECT_FALSE(p.play(std::nullopt));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Load a level set first: the game is played from the "
                                         "folder of its map file.");
    ASSERT_TRUE(context->workspace.loadMaps(MapFileName::split(game / "GAMEMAPS.WL1")));
    EXPECT_FALSE(p.play(std::nullopt));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, kDosBoxMissing);
    EXPECT_FALSE(fs::exists(playFolder()));
}

TEST_F(PlayWindow, PlayFromHereTakesTheSpotOfThePageShown) {
    ZENTRIK_REQUIRE_GAMEDATA();
    gui::PlayCommands& p = play();
    auto& world = page<gui::CProp3DEdit>("CProp3DEdit");
    ViewerPose& pose = world.view()->motion().pose;
    pose = ViewerPose{(30 << 16) + 0x8000, (57 << 16) + 0x8000, 170};
    auto spot = p.spotHere();
    ASSERT_TRUE(spot);
    EXPECT_EQ(std::tie(spot->x, spot->y), std::make_tuple(30, 57));
    EXPECT_EQ(playerStartFor(spot->angle), kPlayerStartWest);

    auto& maps = page<gui::CPropMapEdit>("CPropMapEdit");
    EXPECT_FALSE(p.spotHere()); // no cell pointed at, none selected
    (void)maps;
    emit context->messages.mapCursor(10, 9, 0, 0); // the map page tells of the cell pointed at
    spot = p.spotHere();
    ASSERT_TRUE(spot);
    EXPECT_EQ(std::make_tuple(spot->x, spot->y, spot->angle), std::make_tuple(10, 9, 90));
}

TEST_F(PlayWindow, ConfigKeepsTheRunnerPerExtension) {
    start();
    auto& config = page<gui::CPropConfig>("CPropConfig");
    gui::GameRunnerGroup& g = *config.gameRunner();
    context->settings.lastExtension = "SOD";
    g.refresh();
    g.templateChoice()->click();
    g.program()->setText(QStringLiteral("/opt/port"));
    g.arguments()->setText(QStringLiteral("--tedlevel {level}"));
    emit g.arguments()->editingFinished();
    RunnerSettings sod;
    sod.kind = RunnerKind::Template;
    sod.program = "/opt/port";
    sod.arguments = "--tedlevel {level}";
    EXPECT_EQ(readRunnerSettings(iniOnDisk(), "SOD"), sod);
    EXPECT_EQ(readRunnerSettings(iniOnDisk(), "WL6"), RunnerSettings{});
    context->settings.lastExtension = "WL6";
    g.refresh();
    EXPECT_TRUE(g.dosboxChoice()->isChecked());
    EXPECT_FALSE(g.program()->isEnabled());
}

} // namespace
} // namespace zentrik::test
