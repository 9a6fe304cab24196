#include "app/Settings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

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
