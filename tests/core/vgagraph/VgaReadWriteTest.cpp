#include "TestSupport.h"
#include "VgaTestData.h"

#include "io/ByteReader.h"
#include "platform/Progress.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

VgaFileSet copyWl1(const TempDir& dir) {
    dir.copyGameFile("wl1/VGAGRAPH.WL1");
    dir.copyGameFile("wl1/VGAHEAD.WL1");
    dir.copyGameFile("wl1/VGADICT.WL1");
    return {dir.path(), "WL1"};
}

struct Loaded {
    VgaGraphState state;
    StrictPrompter prompter;
    InlineJobRunner runner;
    bool ok = false;
};

void loadAll(Loaded& l, const VgaFileSet& files) {
    l.ok = LoadAllGraphics(l.state, files, l.prompter, l.runner);
}

void expectSameModels(const VgaGraphState& a, const VgaGraphState& b) {
    EXPECT_EQ(a.graphics.table, b.graphics.table);
    EXPECT_EQ(a.graphics.pictures, b.graphics.pictures);
    EXPECT_EQ(a.fonts.fonts, b.fonts.fonts);
    ASSERT_EQ(a.screens.screens.size(), b.screens.screens.size());
    for (size_t i = 0; i < a.screens.screens.size(); ++i)
        EXPECT_EQ(a.screens.screens[i].bytes, b.screens.screens[i].bytes);
    EXPECT_EQ(a.tile8s.tiles, b.tile8s.tiles);
}

TEST(VgaRead, Wl1LoadsAllFourKinds) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    Loaded l;
    loadAll(l, copyWl1(dir));
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.prompter.messages.empty());
    const auto& g = l.state.graphics;
    EXPECT_EQ(g.firstPictureChunk, 3);
    ASSERT_EQ(g.pictureCount(), 144);
    EXPECT_EQ(g.fontChunks.size(), 2u);
    EXPECT_EQ(g.otherChunks.size(), 156u - 147u);
    EXPECT_EQ(g.table[99 - 3], (PictureSize{320, 200})); // the title picture, chunk 99
    for (size_t i = 0; i < g.pictures.size(); ++i)
        EXPECT_EQ(g.pictures[i].size(), size_t(g.table[i].width) * size_t(g.table[i].height));
    ASSERT_EQ(l.state.fonts.fonts.size(), 2u);
    EXPECT_EQ(loadLe16(l.state.fonts.fonts[0].data()), 10);
    EXPECT_EQ(loadLe16(l.state.fonts.fonts[1].data()), 13);
    ASSERT_EQ(l.state.screens.screens.size(), 2u);
    EXPECT_EQ(l.state.screens.screens[0].chunk, 148u);
    EXPECT_EQ(l.state.screens.screens[1].chunk, 149u);
    EXPECT_EQ(l.state.tile8s.tiles.size(), kTile8ChunkBytes);
}

std::vector<uint8_t> headerOf(const VgaFileSet& f) {
    return readBytes(f.headPath());
}

TEST(VgaWrite, EveryKindSavedAndLoadedAgainGivesIdenticalModels) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir src, dst;
    Loaded l;
    loadAll(l, copyWl1(src));
    ASSERT_TRUE(l.ok);
    const VgaFileSet target = copyWl1(dst);
    EXPECT_TRUE(SaveGraphics(l.state, target, l.prompter, l.runner));
    EXPECT_TRUE(SaveFonts(l.state, target, l.prompter, l.runner));
    EXPECT_TRUE(SaveScreens(l.state, target, l.prompter, l.runner));
    EXPECT_TRUE(SaveTile8s(l.state, target, l.prompter, l.runner));
    EXPECT_TRUE(l.prompter.messages.empty());
    EXPECT_EQ(headerOf(target).size(), 157u * 3);
    VgaArchive saved{parseHeader(headerOf(target)), readBytes(target.graphPath())};
    EXPECT_EQ(loadLe32(saved.storedBytes(0).data()), 144u * 4); // the table's true length
    EXPECT_TRUE(fs::exists(dst / "VGAGRAPH.WL1.bak"));
    EXPECT_FALSE(fs::exists(dst / "VGAGRAPH.WL1.tmp"));
    Loaded again;
    loadAll(again, target);
    ASSERT_TRUE(again.ok);
    expectSameModels(l.state, again.state);
    EXPECT_EQ(again.state.graphics.otherChunks.size(), 9u);
    // Copied chunks are carried byte for byte (the tile8 chunk, 147, is re-coded).
    for (size_t i = 1; i < 9; ++i)
        EXPECT_EQ(again.state.graphics.otherChunks[i], l.state.graphics.otherChunks[i]);
}

TEST(VgaWrite, OneFontMoreMovesEveryLaterChunkByOne) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir src, dst;
    Loaded l;
    loadAll(l, copyWl1(src));
    ASSERT_TRUE(l.ok);
    l.state.fonts.fonts.push_back(l.state.fonts.fonts[0]);
    l.state.fonts.changed = true;
    const VgaFileSet target = copyWl1(dst);
    ASSERT_TRUE(SaveFonts(l.state, target, l.prompter, l.runner));
    EXPECT_FALSE(l.state.fonts.changed);
    const ChunkTable before = parseHeader(readGameFile("wl1/VGAHEAD.WL1"));
    const ChunkTable after = parseHeader(headerOf(target));
    ASSERT_EQ(after.chunkCount(), 157);
    const auto oldGraph = readGameFile("wl1/VGAGRAPH.WL1");
    const auto newGraph = readBytes(target.graphPath());
    for (int c = 3; c < 156; ++c) {
        const auto o = std::span(oldGraph).subspan(
            size_t(before.entries[size_t(c)]),
            size_t(before.entries[size_t(c) + 1] - before.entries[size_t(c)]));
        const auto n = std::span(newGraph).subspan(
            size_t(after.entries[size_t(c) + 1]),
            size_t(after.entries[size_t(c) + 2] - after.entries[size_t(c) + 1]));
        EXPECT_TRUE(std::equal(o.begin(), o.end(), n.begin(), n.end())) << c;
    }
    Loaded again;
    loadAll(again, target);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.state.fonts.fonts.size(), 3u);
    EXPECT_EQ(again.state.graphics.firstPictureChunk, 4);
    EXPECT_EQ(again.state.graphics.pictures, l.state.graphics.pictures);
    EXPECT_EQ(again.state.tile8s.tiles, l.state.tile8s.tiles);
}

TEST(VgaWrite, FailedOrCancelledSaveLeavesTheTargetAsItWas) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir src, dst;
    Loaded l;
    loadAll(l, copyWl1(src));
    ASSERT_TRUE(l.ok);
    const VgaFileSet target = copyWl1(dst);
    l.runner.cancelAfter = 20;
    EXPECT_FALSE(SaveGraphics(l.state, target, l.prompter, l.runner));
    l.runner.cancelAfter = -1;
    // A picture byte without a code in a dictionary that lacks it cannot be written.
    VgaGraphState broken = l.state;
    broken.codes.length[l.state.graphics.pictures[5][0]] = 0;
    EXPECT_FALSE(SaveGraphics(broken, target, l.prompter, l.runner));
    EXPECT_EQ(l.prompter.messages.back().caption, "HuffmanEncode()");
    for (const char* name : {"VGAGRAPH.WL1", "VGAHEAD.WL1", "VGADICT.WL1"}) {
        EXPECT_EQ(readBytes(dst / name), readGameFile(std::string("wl1/") + name)) << name;
        EXPECT_FALSE(fs::exists(dst / (std::string(name) + ".tmp")));
        EXPECT_FALSE(fs::exists(dst / (std::string(name) + ".bak")));
    }
}

// Save all builds every kind in memory and replaces the archive once: the same bytes as the
// kinds saved one by one; either way VGAGRAPH.bak is the archive from before the first save.
TEST(VgaWrite, SaveAllMatchesTheKindsSavedInTurnWithOneBackup) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir src, inTurn, atOnce;
    Loaded l;
    loadAll(l, copyWl1(src));
    ASSERT_TRUE(l.ok);
    l.state.tile8s.tiles[3] ^= 0x11;
    l.state.fonts.fonts[1][kFontGlyphStart + 2] ^= 0x22;
    l.state.graphics.pictures[0][0] ^= 0x33;
    const VgaFileSet one = copyWl1(inTurn), all = copyWl1(atOnce);
    ASSERT_TRUE(SaveGraphics(l.state, one, l.prompter, l.runner));
    ASSERT_TRUE(SaveScreens(l.state, one, l.prompter, l.runner));
    ASSERT_TRUE(SaveFonts(l.state, one, l.prompter, l.runner));
    ASSERT_TRUE(SaveTile8s(l.state, one, l.prompter, l.runner));
    l.state.fonts.changed = true;
    ASSERT_TRUE(SaveAllGraphics(l.state, all, false, l.prompter, l.runner));
    EXPECT_FALSE(l.state.fonts.changed);
    for (const char* name : {"VGAGRAPH.WL1", "VGAHEAD.WL1", "VGADICT.WL1"}) {
        EXPECT_EQ(readBytes(atOnce / name), readBytes(inTurn / name)) << name;
        EXPECT_EQ(readBytes(atOnce / (std::string(name) + ".bak")),
                  readGameFile(std::string("wl1/") + name))
            << name;
    }
    EXPECT_EQ(readBytes(inTurn / "VGAGRAPH.WL1.bak"), readGameFile("wl1/VGAGRAPH.WL1"));
}

} // namespace
} // namespace zentrik::test
