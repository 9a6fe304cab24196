// Symbol sets: "Lists.txt", "sprinfo.txt", "symbols.bmp", the defaults and saving the strip.
#include "world/SymbolSet.h"
#include "TestSupport.h"
#include "world/SprInfo.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& p, const std::string& s) {
    writeBytes(p, std::vector<uint8_t>(s.begin(), s.end()));
}

TEST(Lists, SectionsNamesQuotesAndLimits) {
    StrictPrompter p;
    const TileNames n = parseLists("1,\"Grey brick 1\",\n"
                                   "\n"
                                   "2,Grey brick 2\r\n"
                                   "no comma here\n"
                                   "*\n"
                                   "23,\"A name that is much longer than thirty-two characters\"\n"
                                   "*\n"
                                   "108,Floor 108\n"
                                   "*\n",
                                   p);
    EXPECT_EQ(n.plane0.at(1), "Grey brick 1");
    EXPECT_EQ(n.plane0.at(2), "Grey brick 2");
    EXPECT_EQ(n.wallOrder[0], 1);
    EXPECT_EQ(n.wallOrder[1], 2);
    EXPECT_EQ(n.wallOrder[2], -1);
    EXPECT_EQ(n.objects.at(23), "A name that is much longer than ");
    EXPECT_EQ(n.plane0.at(108), "Floor 108");
    EXPECT_EQ(n.floorCodes, (std::set<uint16_t>{108}));
    EXPECT_EQ(TileNames::label(1, n.plane0), "1 Grey brick 1");
    EXPECT_EQ(TileNames::label(7, n.plane0), "7 Unknown");
    EXPECT_TRUE(p.messages.empty());

    // A walls line is read 38 characters at a time: the rest becomes a line of its own.
    const TileNames cut = parseLists("3," + std::string(50, 'x') + "\n*\n*\n*\n", p);
    EXPECT_EQ(cut.plane0.at(3), std::string(32, 'x'));
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += std::to_string(i) + ",n\n";
    EXPECT_EQ(parseLists(many + "*\n*\n*\n", p).wallOrder.back(), 4094);
}

TEST(Lists, EndInsideASectionIsSaidPerSection) {
    ScriptedPrompter p;
    parseLists("1,a\n*\n2,b\n", p);
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[0].text, "Can't load Lists.txt (objects)");
    EXPECT_EQ(p.messages[1].text, "Can't load Lists.txt (floors)");
    EXPECT_EQ(p.messages[0].caption, "Zentrik");
}

TEST(SprInfo, DefinitionsCommentsDoorsAndTheEnd) {
    StrictPrompter p;
    ObjectDescriptionTable t;
    parseSprInfo("; a comment line\n"
                 "98 0 6 0 ; pushwall\n"
                 "90 -7 7 1 0 -6\n"
                 "108 50 4 2 3\r\n"
                 "214 300 3 0\n"
                 "23\t2\t1\t0\n"
                 "END\n"
                 "24 1 1 1\n",
                 t, p);
    EXPECT_EQ(t.at(98).type, kObjectPushwall);
    EXPECT_EQ(t.pushwalls, (std::set<uint16_t>{98}));
    ASSERT_EQ(t.doors.size(), 1u);
    EXPECT_EQ(t.doors[0], (DoorDescription{90, -7, true, 0, -6}));
    EXPECT_EQ(t.at(108).difficulty, 3);
    EXPECT_EQ(t.at(108).flag, 2);
    EXPECT_EQ(t.at(214).difficulty, kBossDifficulty);
    EXPECT_EQ(t.at(23).sprite, 2);
    EXPECT_EQ(t.at(24).type, kObjectNone);
}

TEST(SprInfo, IllegalCharacterStopsReadingAndKeepsWhatWasRead) {
    ScriptedPrompter p;
    ObjectDescriptionTable t;
    parseSprInfo("23 2 1 0\n24 3 1 0 x\n25 4 1 0\n", t, p);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Illegal character after definition of tile 24: 'x'!");
    EXPECT_EQ(p.messages[0].caption, "Sprinfo.txt contains errors!");
    EXPECT_EQ(t.at(24).sprite, 3);
    EXPECT_EQ(t.at(25).type, kObjectNone);
    ScriptedPrompter q;
    parseSprInfo("70000 1 1 1\n", t, q);
    EXPECT_EQ(q.messages.size(), 1u);
}

TEST(SymbolStrip, SavedBitmapIsExactAndReadsBack) {
    SymbolStrip s;
    Symbol sym{};
    for (size_t i = 0; i < sym.size(); ++i)
        sym[i] = uint16_t(i * 300 & 0x7FFF);
    s.setSymbol(SymbolStrip::objectIndex(98), sym);
    const auto bmp = s.encodeBmp();
    ASSERT_EQ(bmp.size(), 100406u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[10], 54);
    EXPECT_EQ(bmp[28], 16);
    auto back = SymbolStrip::decodeBmp(bmp);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, s);
    EXPECT_EQ(back->symbol(512 + 98), sym);
    // Object value 98 sits in symbol row 9, column 34.
    EXPECT_EQ(back->pixel(34 * 7 + 1, 9 * 7), sym[1]);
    EXPECT_FALSE(SymbolStrip::decodeBmp(std::span(bmp).first(50000)));
}

TEST(SymbolSet, LoadsTheThreeFilesAndFillsDefaults) {
    TempDir dir;
    const fs::path set = dir / "MapObjects" / "Test";
    fs::create_directories(set);
    writeText(set / "Lists.txt", "1,Wall\n*\n23,Lamp\n*\n*\n");
    writeText(set / "SPRINFO.TXT", "23 2 1 0\nEND\n");
    SymbolStrip strip;
    strip.setPixel(0, 0, 0x7C00);
    writeBytes(set / "Symbols.bmp", strip.encodeBmp());
    StrictPrompter p;
    SymbolSet s = LoadSymbolSet(dir.path(), "Test", p);
    EXPECT_EQ(s.names.plane0.at(1), "Wall");
    EXPECT_EQ(s.strip.pixel(0, 0), 0x7C00);
    EXPECT_EQ(s.objects.at(23).type, kObjectStatic);
    EXPECT_EQ(s.objects.doors, defaultDoors());
    EXPECT_EQ(s.objects.pushwalls, (std::set<uint16_t>{98}));
    EXPECT_EQ(s.objects.floorCodes.size(), 38u);
    EXPECT_EQ(*s.objects.floorCodes.begin(), 106);

    ScriptedPrompter q;
    LoadSymbolSet(dir.path(), "Absent", q);
    ASSERT_EQ(q.messages.size(), 3u);
    EXPECT_EQ(q.messages[0].caption, "Zentrik: Lists.txt not available!");
    EXPECT_EQ(q.messages[1].caption, "Zentrik: Symbols.bmp not available!");
    EXPECT_EQ(q.messages[2].caption, "Zentrik: SprInfo.txt not available!");
    EXPECT_FALSE(saveSymbolStrip(s.strip, dir / "no" / "s.bmp", q));
    EXPECT_EQ(q.messages.back().caption, "Cannot Write");
}

} // namespace
} // namespace zentrik::test
