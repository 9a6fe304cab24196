// Palettes of other painting programs: JASC and GIMP text, and an indexed PNG's colour table.
#include "imaging/PaletteFormats.h"
#include "imaging/PngCodec.h"
#include "pagefile/ImageTarget.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrik::test {
namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

GamePalette grey() {
    GamePalette p;
    for (size_t i = 0; i < p.entries.size(); ++i)
        p.entries[i] = Rgb{uint8_t(i), uint8_t(i), uint8_t(i)};
    return p;
}

TEST(PaletteFormats, TextPalettesSetTheirEntriesAndBadOnesChangeNothing) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 255 0\r\n1 2 3\r\n", true},
        {"GIMP Palette\nName: Test\nColumns: 4\n# a comment\n255   0   0\tRed\n  0 255   0 "
         "Green\n  1   2   3 Untitled\n",
         true},
        {"JASC-PAL\n0100\n2\n255 0 0\n300 0 0\n", false}, // a value past 255
        {"JASC-PAL\n0100\nmany\n1 2 3\n", false},
        {"GIMP Palette\nName: empty\n", false},
    };
    for (const Case& c : cases) {
        GamePalette p = grey();
        const Status st = importAnyPalette(bytesOf(c.text), p);
        EXPECT_EQ(bool(st), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(p.entries[0], (Rgb{255, 0, 0}));
            EXPECT_EQ(p.entries[1], (Rgb{0, 255, 0}));
            EXPECT_EQ(p.entries[2], (Rgb{1, 2, 3}));
            EXPECT_EQ(p.entries[3], (Rgb{3, 3, 3})) << "entries not listed keep their colour";
        } else {
            EXPECT_EQ(p, grey()) << c.text;
        }
    }
}

TEST(PaletteFormats, AnIndexedPngGivesItsColourTable) {
    GamePalette source = grey();
    source.entries[7] = Rgb{10, 20, 30};
    IndexedImage image(64, 7);
    auto png = png8Bytes(ImageTarget(image, false), source, false);
    ASSERT_TRUE(png);
    GamePalette p;
    ASSERT_TRUE(importAnyPalette(*png, p));
    EXPECT_EQ(p, source);
}

} // namespace
} // namespace zentrik::test
