// The palette model, its files, imports, exports and the palette folder.
#include "imaging/PaletteLibrary.h"
#include "io/ByteWriter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

GamePalette wolfPalette() {
    GamePalette p;
    std::ifstream in(gamedataDir() / "wolfpal.txt");
    for (Rgb& c : p.entries) {
        int r = 0, g = 0, b = 0;
        in >> r >> g >> b;
        c = Rgb{uint8_t((r << 2) | (r >> 4)), uint8_t((g << 2) | (g >> 4)),
                uint8_t((b << 2) | (b >> 4))};
    }
    return p;
}

std::vector<uint8_t> bmpWithColours(int depth, int colours, uint32_t compression = 0) {
    ByteWriter w;
    w.u16(0x4D42);
    w.fill(12); // file size, reserved words and data offset: all 0
    w.u32(40);
    w.i32(1);
    w.i32(1);
    w.u16(1);
    w.u16(uint16_t(depth));
    w.u32(compression);
    w.fill(12);
    w.u32(uint32_t(colours > 0 ? 2 : 0)); // the header's colour count is not trusted
    w.u32(0);
    for (int i = 0; i < colours; ++i) {
        w.u8(uint8_t(i)); // blue
        w.u8(uint8_t(i + 1));
        w.u8(uint8_t(i + 2)); // red
        w.u8(0);
    }
    w.u32(0);
    return w.take();
}

TEST(Palette, PalFilesRoundTripAndShortFilesKeepWhatTheyHeld) {
    GamePalette p;
    p.entries[3] = Rgb{1, 2, 3};
    p.entries[255] = Rgb{250, 251, 252};
    const auto bytes = palFileBytes(p);
    ASSERT_EQ(bytes.size(), 768u);
    GamePalette q;
    EXPECT_TRUE(readPalBytes(bytes, q));
    EXPECT_EQ(p, q);
    GamePalette r;
    r.entries[2] = Rgb{9, 9, 9};
    const Status st = importPalPalette(std::span(bytes).first(10), r);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.error().text, "The given file is not a valid Zentrik palette file!");
    EXPECT_EQ(st.error().caption, "Unable to import palette!");
    EXPECT_EQ(r.entries[3], (Rgb{1, 0, 0})); // the bytes read replaced the old ones
    EXPECT_EQ(r.entries[2], (Rgb{0, 0, 0}));
}

TEST(Palette, BmpColourTablesImportOnlyTheirEntries) {
    GamePalette p;
    for (Rgb& c : p.entries)
        c = Rgb{7, 7, 7};
    ASSERT_TRUE(importBmpPalette(bmpWithColours(4, 16), p));
    EXPECT_EQ(p.entries[0], (Rgb{2, 1, 0}));
    EXPECT_EQ(p.entries[15], (Rgb{17, 16, 15}));
    EXPECT_EQ(p.entries[16], (Rgb{7, 7, 7}));
    ASSERT_TRUE(importBmpPalette(bmpWithColours(8, 256), p));
    EXPECT_EQ(p.entries[200], (Rgb{202, 201, 200}));

    const GamePalette before = p;
    struct Bad {
        std::vector<uint8_t> bytes;
        const char* text;
    } bad[] = {
        {{'B', 'X', 0, 0}, "Not a bitmap!"},
        {bmpWithColours(8, 256, 1), "Sorry, but compressed bitmaps aren't supported!\nPlease "
                                    "save as uncompressed bitmap."},
        {bmpWithColours(24, 0), "The bitmap does not contain a palette!"},
        {bmpWithColours(8, 100), "Not a bitmap!"}, // the colour table is cut short
        {{'B', 'M'}, "Not a bitmap!"},
    };
    for (const Bad& b : bad) {
        const Status st = importBmpPalette(b.bytes, p);
        ASSERT_FALSE(st);
        EXPECT_EQ(st.error().text, b.text);
        EXPECT_EQ(p, before);
    }
}

TEST(Palette, SourceExportsDivideByFourWithCrLf) {
    GamePalette p;
    p.entries[0] = Rgb{255, 255, 255};
    p.entries[1] = Rgb{3, 7, 11};
    const std::string inc = paletteSourceText(p, true);
    EXPECT_EQ(inc.substr(0, 30), "unsigned char gamepal[768]={\r\n");
    EXPECT_EQ(inc.substr(30, 26), " 63, 63, 63,  0,  1,  2,  ");
    EXPECT_EQ(inc.substr(inc.size() - 4), "};\r\n");
    EXPECT_EQ(inc.size(), 30u + 64 * (4 * 12 + 2) + 4);
    const std::string c = paletteSourceText(p, false);
    EXPECT_EQ(c.substr(0, 37), "RGB( 63, 63, 63),RGB(  0,  1,  2),RGB");
    EXPECT_EQ(c.substr(c.size() - 20), "RGB(  0,  0,  0)\r\n\r\n");
    EXPECT_EQ(std::count(c.begin(), c.end(), '\n'), 65);
}

struct Library {
    TempDir dir;
    ScriptedPrompter prompter;
    PaletteLibrary lib{dir.path(), prompter};
    int changes = 0;
    Library() {
        fs::create_directories(lib.folder());
        lib.onPaletteChanged = [this] { ++changes; };
    }
};

TEST(PaletteLibrary, FolderScanStopsAtAHundredWithTheWarning) {
    Library l;
    for (int i = 0; i < 105; ++i)
        writeBytes(l.lib.folder() / ("p" + std::to_string(1000 + i) + ".pal"),
                   std::vector<uint8_t>(768));
    writeBytes(l.lib.folder() / "notes.txt", {});
    l.lib.scan();
    EXPECT_EQ(l.lib.names().size(), 100u);
    EXPECT_EQ(l.lib.names()[0], "p1000");
    ASSERT_EQ(l.prompter.messages.size(), 1u);
    EXPECT_EQ(l.prompter.messages[0].caption, "Warning: Too many palettes!");
    EXPECT_FALSE(l.lib.canAddPalette());
    EXPECT_EQ(l.prompter.messages[1].caption, "Unable to add more palettes!");
}

TEST(PaletteLibrary, SelectSaveImportExportAndCreate) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Library l;
    writeBytes(l.lib.pathOf("Wolfenstein3D"), palFileBytes(wolfPalette()));
    l.lib.scan();
    ASSERT_TRUE(l.lib.select("Wolfenstein3D"));
    EXPECT_EQ(l.lib.current(), wolfPalette());
    EXPECT_EQ(l.changes, 1);
    EXPECT_FALSE(l.lib.select("missing"));
    EXPECT_EQ(l.prompter.messages.back().caption, "Cannot Open");

    ASSERT_TRUE(l.lib.exportTo(l.dir / "PAL.INC"));
    EXPECT_EQ(l.prompter.messages.back().text, "Successfully exported to Wolfenstein 3D format!");
    const auto inc = readBytes(l.dir / "PAL.INC");
    EXPECT_EQ(std::string(inc.begin() + 30, inc.begin() + 56), "  0,  0,  0,  0,  0, 42,  ");
    ASSERT_TRUE(l.lib.exportTo(l.dir / "pal.txt"));
    EXPECT_EQ(l.prompter.messages.back().text, "Successfully exported to Wolf4SDL format!");
    EXPECT_FALSE(l.lib.exportTo(l.dir / "nofolder" / "x.c"));
    EXPECT_EQ(l.prompter.messages.back().caption, "Palette export...");

    EXPECT_FALSE(l.lib.importFrom(l.dir / "absent.bmp"));
    EXPECT_EQ(l.prompter.messages.back().caption, "Unable to open palette file:");
    writeBytes(l.dir / "x.bmp", bmpWithColours(1, 2));
    ASSERT_TRUE(l.lib.importFrom(l.dir / "x.bmp"));
    EXPECT_EQ(l.lib.current().entries[1], (Rgb{3, 2, 1}));
    EXPECT_FALSE(l.lib.importFrom(l.dir / "x.gif"));

    std::vector<std::string> added;
    l.lib.onPaletteAdded = [&](const std::string& n) { added.push_back(n); };
    ASSERT_TRUE(l.lib.createNew("Mine", PaletteLibrary::NewSource::CopyCurrent));
    EXPECT_EQ(readBytes(l.lib.pathOf("Mine")), palFileBytes(l.lib.current()));
    EXPECT_EQ(added, std::vector<std::string>{"Mine"});
    EXPECT_FALSE(l.lib.createNew("Rip", PaletteLibrary::NewSource::Rip));
    EXPECT_FALSE(fs::exists(l.lib.pathOf("Rip")));
    EXPECT_EQ(l.lib.names().size(), 2u);
    ASSERT_TRUE(l.lib.save(l.dir / "copy.pal"));
    EXPECT_EQ(readBytes(l.dir / "copy.pal"), palFileBytes(l.lib.current()));
}

} // namespace
} // namespace zentrik::test
