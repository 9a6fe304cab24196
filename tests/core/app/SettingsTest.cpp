#include "app/Settings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

TEST(Settings, MissingFileGivesEveryDefault) {
    TempDir dir;
    IniFile ini(dir / "Zentrik.ini");
    ini.load();
    Settings s;
    s.tooltips = 7; // overwritten by the read
    readSettings(ini, s);
    EXPECT_EQ(s.tooltips, 1);
    EXPECT_EQ(s.wheelStep(), 120);
    EXPECT_EQ(s.showAbout, 1);
    EXPECT_EQ(s.lastExtension, "WL6");
    EXPECT_EQ(s.farTagByte(), 0xA8);
    EXPECT_EQ(s.nearTagByte(), 0xA7);
    EXPECT_EQ(s.rlewTagWord(), 0xABCD);
    EXPECT_EQ(s.spriteCompression, 1);
    EXPECT_EQ(s.chkMaphead, 1);
    EXPECT_EQ(s.chkMaps, 0);
    EXPECT_EQ(s.objects + s.floors + s.grid + s.profMode, 4);
    EXPECT_EQ(readStdPath(ini), "");
}

TEST(Settings, ValuesAreCutToTheirBuffers) {
    IniFile ini;
    ini.parse("[Global]\nLastExtension=ABCDEFGHIJKLMNOPQ\nTooltips=123\n"
              "ScrollDelta = 4\n[Maps]\nRLEW=12345\nFAR=a9x\nNEAR=zz\n");
    Settings s;
    readSettings(ini, s);
    EXPECT_EQ(s.lastExtension, "ABCDEFGHIJKLMN"); // 14 characters
    EXPECT_EQ(s.tooltips, 12);                    // buffer of 3: two digits
    EXPECT_EQ(s.scrollDelta, 4);
    EXPECT_EQ(s.wheelStep(), 24);
    EXPECT_EQ(s.rlewTag, "1234");
    EXPECT_EQ(s.rlewTagWord(), 0x1234);
    EXPECT_EQ(s.farTagByte(), 0xA9);
    EXPECT_EQ(s.nearTagByte(), 0x00); // not hexadecimal
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

TEST(Settings, WriteKeepsTableOrderAndShowAboutZero) {
    TempDir dir;
    IniFile ini(dir / "Zentrik.ini");
    Settings s;
    s.lastExtension = "SOD";
    s.carmackMode = 1;
    s.rlewTag = "1234";
    writeSettings(ini, s);
    writeStdPath(ini, "/games/wolf");
    ASSERT_TRUE(ini.save());
    const auto bytes = readBytes(dir / "Zentrik.ini");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text, "[Global]\r\nTooltips=1\r\nScrollDelta=0\r\nShowAbout=0\r\n"
                    "LastExtension=SOD\r\nStdPath=/games/wolf\r\n\r\n"
                    "[Compression]\r\nCarmarckExpand=0\r\nCarmarckCompress=0\r\n"
                    "CarmarckMode=1\r\nSpriteCompression=1\r\n\r\n"
                    "[Maps]\r\nFAR=A8\r\nNEAR=A7\r\nRLEW=1234\r\nDontLoadRLEW=0\r\n"
                    "ChkMaphead=1\r\nChkMaps=0\r\n\r\n"
                    "[MapEditor]\r\nObjects=1\r\nFloors=1\r\nGrid=1\r\nProfMode=1\r\n");

    IniFile again(dir / "Zentrik.ini");
    again.load();
    Settings r;
    readSettings(again, r);
    EXPECT_EQ(r.lastExtension, "SOD");
    EXPECT_EQ(r.carmackMode, 1);
    EXPECT_EQ(r.showAbout, 0); // the about box shows once only
    EXPECT_EQ(readStdPath(again), "/games/wolf");
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
