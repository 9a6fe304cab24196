// Where the program keeps its files: the data folders, the settings file and its text.
#include "app/ProgramFolders.h"
#include "app/Settings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// An installed tree: bin/ with the executables, share/zentrik/ with the shipped data.
struct InstalledTree {
    test::TempDir root;
    fs::path bin = root / "usr/bin";
    fs::path data = root / "usr/share/zentrik";
    InstalledTree() {
        fs::create_directories(bin);
        put(data / kProgramDataMarker, "shipped table\n");
        put(data / "palette/Wolfenstein3D.pal", "shipped palette");
        put(data / "MapObjects/Wolfenstein 3D/Lists.txt", "shipped lists");
    }
};

} // namespace

TEST(ProgramFolders, DataIsFoundBesideTheExecutableFirstThenInShare) {
    InstalledTree tree;
    EXPECT_EQ(fs::weakly_canonical(findDataFolder(tree.bin)), fs::weakly_canonical(tree.data));
    put(tree.bin / kProgramDataMarker, "portable\n");
    EXPECT_EQ(findDataFolder(tree.bin), tree.bin);
    test::TempDir empty;
    EXPECT_EQ(findDataFolder(empty.path()), empty.path()); // nothing anywhere: the exe's folder
}

TEST(ProgramFolders, APortableCopyKeepsEverythingBesideTheExecutable) {
    test::TempDir portable, user;
    put(portable / kProgramDataMarker, "portable\n");
    const auto folders = resolveProgramFolders(portable.path(), user.path());
    EXPECT_EQ(folders.program, portable.path());
    EXPECT_FALSE(fs::exists(user / kProgramDataMarker)); // nothing copied needlessly
}

TEST(ProgramFolders, AnInstallationSeedsTheUserFolderWithoutOverwritingIt) {
    InstalledTree tree;
    test::TempDir user;
    put(user / "palette/Wolfenstein3D.pal", "the user's own edit");
    const auto folders = resolveProgramFolders(tree.bin, user.path());

    EXPECT_EQ(folders.program, user.path());
    EXPECT_EQ(text(user / kProgramDataMarker), "shipped table\n");
    EXPECT_EQ(text(user / "MapObjects/Wolfenstein 3D/Lists.txt"), "shipped lists");
    EXPECT_EQ(text(user / "palette/Wolfenstein3D.pal"), "the user's own edit");
}

TEST(Settings, TextThatIsNoNumberReadsAsZero) {
    IniFile ini;
    ini.parse("[Global]\nTooltips=no\nShowAbout=-1\n[compression]\ncarmarckmode=1\n");
    Settings s;
    readSettings(ini, s);
    EXPECT_EQ(s.tooltips, 0);
    EXPECT_EQ(s.showAbout, -1);
    EXPECT_EQ(s.carmackMode, 1); // sections and keys match without regard to case
}

TEST(Settings, WheelStepNeverDividesByZero) {
    Settings s;
    s.scrollDelta = -1;
    EXPECT_EQ(s.wheelStep(), 120);
    s.scrollDelta = -7;
    EXPECT_EQ(s.wheelStep(), 120);
}

TEST(IniFile, RewriteKeepsForeignLinesAndReplacesInPlace) {
    IniFile ini;
    ini.parse("; a comment\r\n[Other]\r\nx=1\r\n\r\n[Global]\r\nTooltips = 0\r\n");
    ini.set("global", "TOOLTIPS", "1");
    ini.set("Global", "New", "v");
    ini.set("Other", "y", "2");
    EXPECT_EQ(ini.text(), "; a comment\r\n[Other]\r\nx=1\r\ny=2\r\n\r\n[Global]\r\n"
                          "TOOLTIPS=1\r\nNew=v\r\n");
    EXPECT_EQ(ini.get("GLOBAL", "new", "", 10), "v");
    EXPECT_EQ(ini.get("Global", "missing", "dflt", 3), "df");
}

TEST(Settings, FileGoesToTheUserFolderWhenProgramFolderIsReadOnly) {
    TempDir dir;
    const auto program = dir / "program";
    const auto user = dir / "user";
    std::filesystem::create_directory(program);
    writeBytes(program / "Zentrik.ini", {'[', 'G', 'l', 'o', 'b', 'a', 'l', ']', '\n'});
    EXPECT_EQ(settingsFilePath(program, user), program / "Zentrik.ini");
    EXPECT_EQ(settingsFilePath(dir / "missing", user), user / "Zentrik.ini");
    // Seeded from the program folder's file when there is one.
    std::filesystem::permissions(program, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    if (folderIsWritable(program))
        GTEST_SKIP() << "running as a user who may write anywhere";
    std::filesystem::remove(user / "Zentrik.ini");
    EXPECT_EQ(settingsFilePath(program, user), user / "Zentrik.ini");
    EXPECT_TRUE(std::filesystem::exists(user / "Zentrik.ini"));
}
