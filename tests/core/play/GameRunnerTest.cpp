// The runners' exact command lines, and the messages when a runner or the game is missing.
#include "TestSupport.h"

#include "play/WorkspacePlay.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

// A folder of fake programs for the PATH, and a game folder with an executable.
struct RunnerFixture {
    TempDir tmp;
    fs::path bin = tmp / "bin";
    fs::path game = tmp / "game";
    RunnerFixture() {
        fs::create_directories(bin);
        fs::create_directories(game);
        writeBytes(game / "WOLF3D.EXE", {'M', 'Z'});
    }
    void program(const std::string& name) {
        writeBytes(bin / name, {'#', '!'});
        fs::permissions(bin / name, fs::perms::owner_all);
    }
    std::string path() const { return "/nonexistent:" + bin.string(); }
    PlayTarget target(int level, int skill) const { return {game, level, "WL6", skill}; }
};

TEST(GameRunner, DosBoxMountsThePlayFolderAndStartsTheLevel) {
    RunnerFixture f;
    f.program("dosbox-x");
    auto cmd = dosboxCommand(f.target(13, 3), {}, f.path());
    ASSERT_TRUE(cmd) << cmd.error().text;
    EXPECT_EQ(cmd->program, (f.bin / "dosbox-x").string());
    const fs::path conf = f.tmp / "game.conf";
    EXPECT_EQ(cmd->arguments, (std::vector<std::string>{"-userconf", "-conf", conf.string()}));
    EXPECT_EQ(cmd->configText, "# Written by Zentrik for one play; the user's own configuration "
                               "is read first.\n[autoexec]\nmount c \"" +
                                   f.game.string() +
                                   "\"\nc:\nWOLF3D.EXE TEDLEVEL 13 NOWAIT hard\nexit\n");
    ASSERT_TRUE(writeRunnerFiles(*cmd));
    EXPECT_EQ(readBytes(conf).size(), cmd->configText.size());

    // Plain dosbox comes first; a configured program and executable win; case does not matter.
    f.program("dosbox");
    fs::rename(f.game / "WOLF3D.EXE", f.game / "spear.exe");
    writeBytes(f.game / "OZ.COM", {1});
    RunnerSettings s;
    EXPECT_EQ(dosboxCommand(f.target(0, 0), s, f.path())->program, (f.bin / "dosbox").string());
    s.dosbox = (f.bin / "dosbox-x").string();
    s.executable = "oz.com";
    cmd = dosboxCommand(f.target(0, 0), s, f.path());
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->program, s.dosbox);
    EXPECT_NE(cmd->configText.find("\nOZ.COM TEDLEVEL 0 NOWAIT baby\n"), std::string::npos);
    EXPECT_EQ(commandLineText(*cmd), s.dosbox + " -userconf -conf " + conf.string());
}

TEST(GameRunner, MissingRunnerOrExecutableSaysWhatWasLookedFor) {
    RunnerFixture f;
    auto noDosBox = dosboxCommand(f.target(0, 2), {}, f.path());
    ASSERT_FALSE(noDosBox);
    EXPECT_EQ(noDosBox.error().text, "DOSBox is not installed: install the package dosbox, or "
                                     "set its path in Config → Game runner");
    RunnerSettings s;
    s.dosbox = "/no/such/dosbox";
    EXPECT_EQ(dosboxCommand(f.target(0, 2), s, f.path()).error().text,
              "DOSBox was not found at /no/such/dosbox: install the package dosbox, or set its "
              "path in Config → Game runner");

    f.program("dosbox");
    fs::remove(f.game / "WOLF3D.EXE");
    writeBytes(f.game / "SETUP.EXE", {1});
    EXPECT_EQ(dosboxCommand(f.target(0, 2), {}, f.path()).error().text,
              "No game executable in " + f.game.string() +
                  ": looked for WOLF3D.EXE and SPEAR.EXE. Choose the game's .EXE or .COM in "
                  "Config → Game runner");
    s = {};
    s.executable = "GAME.EXE";
    EXPECT_EQ(dosboxCommand(f.target(0, 2), s, f.path()).error().text,
              "The game executable GAME.EXE is not in " + f.game.string() +
                  ": choose the game's .EXE or .COM in Config → Game runner");

    // Nothing is built when the runner cannot start.
    const PlayRequest request{f.game, "WL6", 0, {}};
    auto play = preparePlay(request, {}, {}, f.tmp / "cache", f.path());
    ASSERT_FALSE(play);
    EXPECT_FALSE(fs::exists(f.tmp / "cache"));
    s = {};
    s.kind = RunnerKind::Template;
    EXPECT_EQ(templateCommand(f.target(0, 2), s, f.path()).error().text,
              "No program is set for the game runner: set it in Config → Game runner");
    s.program = "port";
    EXPECT_EQ(templateCommand(f.target(0, 2), s, f.path()).error().text,
              "The runner port was not found: set its path in Config → Game runner");
}

TEST(GameRunner, TemplatesFillEveryPlaceholder) {
    RunnerFixture f;
    const PlayTarget t = f.target(23, 1);
    const std::string folder = f.game.string();
    const struct {
        const char* tmpl;
        std::vector<std::string> args;
    } cases[] = {
        {"--tedlevel {level} --{skill} --nowait", {"--tedlevel", "23", "--easy", "--nowait"}},
        {"+map E{episode}M{map}  --data {suffix}", {"+map", "E3M4", "--data", "WL6"}},
        {"-c \"mount c {folder}\" -c \"\"", {"-c", "mount c " + folder, "-c", ""}},
        {"--dir={folder}/x", {"--dir=" + folder + "/x"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        auto args = expandTemplate(c.tmpl, t);
        ASSERT_TRUE(args) << c.tmpl;
        EXPECT_EQ(*args, c.args) << c.tmpl;
    }
    for (const char* bad : {"--x {levle}", "--x {level", "\"open"})
        EXPECT_FALSE(expandTemplate(bad, t)) << bad;
    EXPECT_EQ(expandTemplate("{levle}", t).error().text,
              "Unknown placeholder {levle} in the runner's arguments; known are {folder} {level} "
              "{episode} {map} {suffix} {skill}");

    f.program("port");
    RunnerSettings s;
    s.kind = RunnerKind::Template;
    s.program = "port";
    s.arguments = "--tedlevel {level} --{skill}";
    auto cmd = runnerCommand(t, s, f.path());
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->program, (f.bin / "port").string());
    EXPECT_EQ(cmd->arguments, (std::vector<std::string>{"--tedlevel", "23", "--easy"}));
    EXPECT_EQ(cmd->workingFolder, f.game);
    EXPECT_TRUE(cmd->configFile.empty());
}

TEST(RunnerSettings, KeptPerExtensionInTheSettingsFile) {
    IniFile ini;
    RunnerSettings sod;
    sod.kind = RunnerKind::Template;
    sod.program = "/opt/port";
    sod.arguments = "--tedlevel {level}";
    sod.skill = 3;
    writeRunnerSettings(ini, "sod", sod);
    RunnerSettings wl6;
    wl6.executable = "WOLF3D.EXE";
    writeRunnerSettings(ini, "WL6", wl6);
    IniFile again;
    again.parse(ini.text());
    EXPECT_EQ(readRunnerSettings(again, "SOD"), sod);
    EXPECT_EQ(readRunnerSettings(again, "WL6"), wl6);
    EXPECT_EQ(readRunnerSettings(again, "WL1"), RunnerSettings{});
    again.parse("[GameRunner WL1]\nSkill=7\nRunner=other\n");
    EXPECT_EQ(readRunnerSettings(again, "WL1"), RunnerSettings{});
    EXPECT_STREQ(skillWord(9), "normal");
}

} // namespace
} // namespace zentrik::test
