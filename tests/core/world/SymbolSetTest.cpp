// Symbol sets: "Lists.txt", "sprinfo.txt", "symbols.bmp", the defaults and saving the strip.
#include "world/SymbolSet.h"
#include "TestSupport.h"
#include "world/SprInfo.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

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

TEST(SymbolStrip, SavedBitmapReadsBackWithEachSymbolInItsCell) {
    SymbolStrip s;
    Symbol sym{};
    for (size_t i = 0; i < sym.size(); ++i)
        sym[i] = uint16_t(i * 300 & 0x7FFF);
    s.setSymbol(SymbolStrip::objectIndex(98), sym);
    const auto bmp = s.encodeBmp(); // byte for byte the generator's files: see datagen
    auto back = SymbolStrip::decodeBmp(bmp);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, s);
    EXPECT_EQ(back->symbol(512 + 98), sym);
    // Object value 98 sits in symbol row 9, column 34.
    EXPECT_EQ(back->pixel(34 * 7 + 1, 9 * 7), sym[1]);
    EXPECT_FALSE(SymbolStrip::decodeBmp(std::span(bmp).first(50000)));
}

} // namespace
} // namespace zentrik::test
