#include "TestSupport.h"
#include "VgaTestData.h"

#include "vgagraph/CodePage437.h"
#include "vgagraph/FontOps.h"
#include "vgagraph/PictureOps.h"
#include "vgagraph/ScreenOps.h"
#include "vgagraph/VgaBmpTargets.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

// Height 10; 'A' (8 wide) stored first, 'B' (4 wide) after it, pixels numbered.
std::vector<uint8_t> smallFont() {
    std::vector<uint8_t> f(kFontGlyphStart, 0);
    storeLe16Test(f, 0, 10);
    storeLe16Test(f, 2 + 2 * 'A', 770);
    storeLe16Test(f, 2 + 2 * 'B', 770 + 80);
    f[kFontWidthsOffset + 'A'] = 8;
    f[kFontWidthsOffset + 'B'] = 4;
    for (int i = 0; i < 120; ++i)
        f.push_back(uint8_t(i + 1));
    return f;
}

TEST(FontOps, WideningMovesLaterBlocksAndAddsZeroColumns) {
    StrictPrompter p;
    auto f = smallFont();
    ASSERT_TRUE(SetCurWidth(f, 'A', 10, p).ok());
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(f.size(), 770u + 120 + 20);
    EXPECT_EQ(fontCharLocation(f, 'B'), 770 + 100);
    EXPECT_EQ(fontCharWidth(f, 'A'), 10);
    // Row 1 of 'A': old pixels 9..16, then two zeros.
    const std::vector<uint8_t> row1(f.begin() + 780, f.begin() + 790);
    EXPECT_EQ(row1, (std::vector<uint8_t>{9, 10, 11, 12, 13, 14, 15, 16, 0, 0}));
    EXPECT_EQ(f[870], 81); // 'B' moved unchanged
    ASSERT_TRUE(SetCurWidth(f, 'A', 3, p).ok());
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + 773, f.begin() + 776),
              (std::vector<uint8_t>{9, 10, 11}));
    ASSERT_TRUE(DeleteCharacter(f, 'A', p).ok());
    EXPECT_FALSE(fontCharPresent(f, 'A'));
    EXPECT_EQ(fontCharLocation(f, 'B'), 770);
    EXPECT_EQ(f.size(), 770u + 40);
}

TEST(FontOps, TheSheetPutsEachCharacterInItsCodesCell) {
    const auto f = smallFont();
    const FontSheetBmpTarget sheet(f);
    ASSERT_EQ(sheet.width(), 16 * 8);
    ASSERT_EQ(sheet.height(), 16 * 10);
    const struct {
        int x, y;
        uint8_t pixel;
    } cases[] = {
        {1 * 8 + 0, 4 * 10 + 0, 1},  // 'A' (65): row 4, column 1, first pixel
        {1 * 8 + 7, 4 * 10 + 9, 80}, // its last pixel
        {2 * 8 + 3, 4 * 10 + 1, 88}, // 'B': 4 wide, row 1 ends with pixel 88
        {2 * 8 + 4, 4 * 10 + 1, 0},  // right of 'B' in its cell
        {0, 0, 0},                   // code 0 is absent
        {-1, 5, 0},
        {128, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheet.getPixel(c.x, c.y), c.pixel) << c.x << "," << c.y;
    std::vector<uint8_t> empty(kFontGlyphStart, 0);
    EXPECT_EQ(FontSheetBmpTarget(empty).width(), 0) << "a font without characters has no sheet";
}

TEST(FontOps, HeightChangeKeepsTopRowsInCodeOrder) {
    StrictPrompter p;
    auto f = smallFont();
    ASSERT_TRUE(SetHeight(f, 9).ok());
    EXPECT_EQ(f.size(), 770u + 12 * 9);
    EXPECT_EQ(fontCharLocation(f, 'A'), 770);
    EXPECT_EQ(fontCharLocation(f, 'B'), 770 + 72);
    EXPECT_EQ(f[770 + 71], 72);
    EXPECT_EQ(f[770 + 72], 81);
    ASSERT_TRUE(SetHeight(f, 12).ok());
    EXPECT_EQ(fontCharLocation(f, 'B'), 770 + 96);
    EXPECT_EQ(f[770 + 72], 0); // added rows are 0
}

TEST(FontOps, BrokenFontsWarnOrAreRefused) {
    StrictPrompter p;
    auto f = smallFont();
    f.push_back(0);
    ASSERT_TRUE(SetCurWidth(f, 'B', 5, p).ok());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "neededsize!=fontsize!!");
    auto g = smallFont();
    storeLe16Test(g, 2 + 2 * 'B', 60000);
    const auto before = g;
    EXPECT_FALSE(SetCurWidth(g, 'B', 2, p).ok());
    EXPECT_EQ(g, before);
}

TEST(PictureOps, PlanarAddressingForAnyWidth) {
    EXPECT_EQ(planarIndex(5, 3, 8, 4), 1u * 2 * 4 + 3 * 2 + 1);
    // Width 6: planes 0 and 1 hold 2 pixels a row, planes 2 and 3 one.
    EXPECT_EQ(planarIndex(1, 0, 6, 2), 4u);
    EXPECT_EQ(planarIndex(3, 1, 6, 2), 4u + 4 + 2 + 1);
    std::vector<uint8_t> planar(12);
    for (int i = 0; i < 12; ++i)
        planar[size_t(i)] = uint8_t(i);
    const auto dib = pictureDisplayCopy(planar, {6, 2});
    // Bottom row first, rows padded to 8.
    EXPECT_EQ(std::vector<uint8_t>(dib.begin(), dib.begin() + 6),
              (std::vector<uint8_t>{2, 6, 9, 11, 3, 7}));
    EXPECT_EQ(std::vector<uint8_t>(dib.begin() + 8, dib.begin() + 14),
              (std::vector<uint8_t>{0, 4, 8, 10, 1, 5}));
}

TEST(PictureOps, ResizeInsertRemove) {
    GraphicsSet g;
    EXPECT_EQ(InsertPicture(g, -1, 7), 0);
    EXPECT_EQ(g.table[0], (PictureSize{64, 64}));
    EXPECT_TRUE(g.loaded);
    g.pictures[0][planarIndex(1, 1, 64, 64)] = 42;
    auto w = SetPictureWidth(g, 0, 30, 9);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(*w, 32);
    EXPECT_EQ(g.pictures[0][planarIndex(1, 1, 32, 64)], 42);
    EXPECT_EQ(g.pictures[0][planarIndex(0, 0, 32, 64)], 7);
    ASSERT_TRUE(SetPictureWidth(g, 0, 40, 9).ok());
    EXPECT_EQ(g.pictures[0][planarIndex(33, 0, 40, 64)], 9);
    ASSERT_TRUE(SetPictureHeight(g, 0, 2, 9).ok());
    EXPECT_EQ(g.pictures[0].size(), 80u);
    EXPECT_EQ(g.pictures[0][planarIndex(1, 1, 40, 2)], 42);
    EXPECT_FALSE(SetPictureWidth(g, 0, 1022, 0).ok());
    EXPECT_EQ(InsertPicture(g, 0, 1), 1);
    EXPECT_EQ(RemovePicture(g, 1), 0);
    EXPECT_EQ(RemovePicture(g, 0), -1);
    EXPECT_TRUE(g.pictures.empty());
    EXPECT_FALSE(PutPictureBack(g, 0, {2, 2}, {1, 2, 3})) << "pixels short of the size";
    ASSERT_TRUE(PutPictureBack(g, 5, {2, 2}, {1, 2, 3, 4}));
    EXPECT_EQ(g.table, (std::vector<PictureSize>{{2, 2}}));
}

ScreenRecord blankScreen() {
    ScreenRecord s;
    s.bytes.assign(kScreenChunkBytes, 0);
    std::copy(kScreenHeader.begin(), kScreenHeader.end(), s.bytes.begin());
    return s;
}

TEST(ScreenOps, ClipboardBlockLayoutAndPaste) {
    ScreenRecord s = blankScreen();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            setCell(s, 10 + c, 5 + r, {uint8_t('a' + r * 3 + c), uint8_t(c)});
    const PixelRect sel{10 * 8 + 24, 5 * 16 + 32, 10 * 8, 5 * 16}; // corners given backwards
    const auto block = CutScreenBlock(s, sel);
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 16),
              (std::vector<uint8_t>{24, 0, 32, 0, 'a', 0, 'b', 1, 'c', 2, 'd', 0, 'e', 1, 'f', 2}));
    EXPECT_EQ(block[16], 0);
    EXPECT_EQ(getCell(s, 11, 6), ScreenCell{});
    ASSERT_TRUE(PasteScreenBlock(s, block, 78, 24).ok()); // clipped at the corner
    EXPECT_EQ(getCell(s, 79, 24), (ScreenCell{'b', 1}));
    EXPECT_FALSE(PasteScreenBlock(s, std::span(block).first(100), 0, 0).ok());
}

TEST(ScreenOps, GradientBandsBorderAndFill) {
    ScreenRecord s = blankScreen();
    PaintGradient(s, {0, 0, 8, 80}, GradientForm::Vertical, 0x1F);
    const uint8_t expect[] = {0x20, 0xB0, 0xB1, 0xB2, 0xDB};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(getCell(s, 0, r), (ScreenCell{expect[r], 0x1F}));
    PaintGradient(s, {0, 0, 40, 16}, GradientForm::HorizontalInvert, 2);
    EXPECT_EQ(getCell(s, 0, 0).character, 0xDB);
    EXPECT_EQ(getCell(s, 4, 0).character, 0x20);

    std::array<ScreenCell, 9> parts;
    for (size_t i = 0; i < 9; ++i)
        parts[i] = {uint8_t('0' + i), uint8_t(i)};
    ScreenRecord b = blankScreen();
    ASSERT_TRUE(PaintBorder(b, {16, 32, 32, 64}, parts).ok()); // 2 x 2 cells
    EXPECT_EQ(getCell(b, 2, 2), parts[TopLeft]);
    EXPECT_EQ(getCell(b, 3, 2), parts[TopRight]);
    EXPECT_EQ(getCell(b, 2, 3), parts[BottomLeft]);
    EXPECT_EQ(getCell(b, 3, 3), parts[BottomRight]);
    ASSERT_TRUE(PaintBorder(b, {0, 0, 24, 48}, parts).ok()); // 3 x 3 cells
    EXPECT_EQ(getCell(b, 1, 1), parts[Fill]);
    EXPECT_EQ(getCell(b, 1, 0), parts[Top]);
    EXPECT_EQ(getCell(b, 0, 1), parts[Left]);
    const auto before = b.bytes;
    auto small = PaintBorder(b, {0, 0, 8, 16}, parts);
    EXPECT_EQ(small.error().text, "Selection too small to paint a border...");
    EXPECT_EQ(b.bytes, before);

    ScreenRecord f = blankScreen();
    PaintFilledRect(f, {0, 0, 80, 16}, {'#', 4}); // row 0 is a wall...
    for (int r = 1; r < 25; ++r)
        setCell(f, 5, r, {'#', 4}); // ...and down column 5
    FloodFill(f, 0, 1, {'x', 7}, true, true);
    EXPECT_EQ(getCell(f, 4, 24), (ScreenCell{'x', 7}));
    EXPECT_EQ(getCell(f, 6, 1), ScreenCell{}); // beyond the wall
    EXPECT_EQ(getCell(f, 5, 3), (ScreenCell{'#', 4}));
    FloodFill(f, 6, 1, {0, 9}, false, true); // colours only
    EXPECT_EQ(getCell(f, 79, 24), (ScreenCell{0, 9}));
}

TEST(ScreenOps, ScrFilesAndTile8Pixels) {
    ScreenRecord s = blankScreen();
    std::vector<uint8_t> scr(kScreenCellBytes);
    for (size_t i = 0; i < scr.size(); ++i)
        scr[i] = uint8_t(i * 7);
    ASSERT_TRUE(ImportScreenFile(s, scr).ok());
    EXPECT_EQ(ExportScreenFile(s), scr);
    EXPECT_EQ(s.bytes[kScreenChunkBytes - 1], 0);
    const auto before = s.bytes;
    // A whole chunk (header, cells, trailing byte) is taken too; every other size is refused.
    std::vector<uint8_t> chunk(kScreenHeader.begin(), kScreenHeader.end());
    chunk.insert(chunk.end(), scr.begin(), scr.end());
    chunk.push_back(0);
    std::vector<uint8_t> headless(kScreenChunkBytes, 1), longer(scr);
    longer.push_back(0);
    const struct {
        std::span<const uint8_t> file;
        bool ok;
    } sizes[] = {
        {chunk, true}, {std::span(scr).first(3999), false}, {headless, false}, {longer, false}};
    for (const auto& c : sizes) {
        EXPECT_EQ(ImportScreenFile(s, c.file).ok(), c.ok) << c.file.size();
        EXPECT_EQ(s.bytes, before) << c.file.size();
    }

    Tile8Set t;
    t.tiles.assign(kTile8ChunkBytes, 0);
    EXPECT_EQ(tile8Index(2, 5, 3), 151u);
    setTile8Pixel(t, 2, 5, 3, 77);
    EXPECT_EQ(t.tiles[151], 77);
    EXPECT_EQ(getTile8Pixel(t, 2, 5, 3), 77);
    setTile8Pixel(t, 2, 8, 0, 1); // outside the tile: ignored
    EXPECT_EQ(getTile8Pixel(t, 2, 8, 0), -1);
}

TEST(CodePage437, EveryCodeRoundTripsAndForeignCharactersFallBack) {
    for (int code = 1; code < 256; ++code)
        ASSERT_EQ(cp437FromUnicode(cp437ToUnicode(uint8_t(code))), code) << code;
    const std::pair<char32_t, int> samples[] = {
        {U'A', 0x41},      {U'\u00E9', 0x82}, {U'\u2591', 0xB0}, {U'\u263A', 0x01},
        {U'\u2302', 0x7F}, {U'\u03C0', 0xE3}, {U'\u20AC', '?'},  {U'\t', '?'}};
    for (const auto& [c, code] : samples)
        EXPECT_EQ(cp437FromUnicode(c), code) << uint32_t(c);
}

} // namespace
} // namespace zentrik::test
