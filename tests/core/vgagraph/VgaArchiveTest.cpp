#include "TestSupport.h"
#include "VgaTestData.h"

#include "io/ByteReader.h"
#include "platform/Progress.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

const HuffmanDict kDict = balancedDictionary();
const CodeTable kCodes = BuildCodeTable(kDict);

std::vector<uint8_t> coded(const std::vector<uint8_t>& data) {
    return codedChunk(data, kCodes);
}

std::vector<uint8_t> fontData(int height, uint8_t fill) {
    std::vector<uint8_t> f(kFontGlyphStart, 0);
    storeLe16Test(f, 0, height);
    storeLe16Test(f, 2 + 2 * 'A', int(kFontGlyphStart));
    f[kFontWidthsOffset + 'A'] = 2;
    f.insert(f.end(), size_t(2 * height), fill);
    return f;
}

std::vector<uint8_t> screenData(uint8_t fill) {
    std::vector<uint8_t> s(kScreenChunkBytes, fill);
    std::copy(kScreenHeader.begin(), kScreenHeader.end(), s.begin());
    return s;
}

// Chunks: picture table (one 4 x 2 picture), a font, the picture, the tile8 chunk, then extra.
std::vector<std::vector<uint8_t>> smallArchive(std::vector<std::vector<uint8_t>> extra) {
    std::vector<std::vector<uint8_t>> chunks{
        coded(le16s({4, 2})), coded(fontData(3, 5)), coded({1, 2, 3, 4, 5, 6, 7, 8}),
        codedChunk(std::vector<uint8_t>(64, 9), kCodes, false)};
    for (auto& e : extra)
        chunks.push_back(std::move(e));
    return chunks;
}

VgaFileSet writeArchive(const TempDir& dir, const std::vector<std::vector<uint8_t>>& chunks) {
    const VgaArchive a = archiveOf(chunks);
    std::vector<uint8_t> head;
    for (int32_t e : a.table.entries)
        for (int i = 0; i < 3; ++i)
            head.push_back(uint8_t(e >> (8 * i)));
    const VgaFileSet files{dir.path(), "TST"};
    writeBytes(files.graphPath(), a.graph);
    writeBytes(files.headPath(), head);
    writeBytes(files.dictPath(), writeDictionary(kDict));
    return files;
}

TEST(VgaArchive, HeaderRemainderAndSparseEntries) {
    EXPECT_EQ(parseHeader(std::vector<uint8_t>(7, 0)).entries.size(), 2u);
    VgaArchive a;
    a.graph = concat({coded({1, 2}), coded({3})});
    a.table.entries = {0, kSparse, int32_t(coded({1, 2}).size()), int32_t(a.graph.size())};
    const ChunkContext ctx{a, kDict, -1};
    auto first = LoadChunk(0, ctx); // reaches over the sparse entry
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(*first, (std::vector<uint8_t>{1, 2}));
    auto sparse = LoadChunk(1, ctx);
    EXPECT_EQ(sparse.error().text, "Chunk 1 is a sparse tile!");
    EXPECT_EQ(sparse.error().caption, "LoadChunk()");
    EXPECT_FALSE(validateOffsets(a.table, a.graph.size()));
    EXPECT_EQ(a.table.entries.size(), 3u);
    EXPECT_EQ(*LoadChunk(1, ctx), (std::vector<uint8_t>{3}));
}

TEST(VgaArchive, OffsetValidationDropsBackwardsAndPastTheEnd) {
    ChunkTable t{{0, 10, 5, 20, 30, 25}};
    EXPECT_FALSE(validateOffsets(t, 28));
    EXPECT_EQ(t.entries, (std::vector<int32_t>{0, 10, 20, 25}));
    ChunkTable ok{{0, 0, 4}};
    EXPECT_TRUE(validateOffsets(ok, 4));
}

TEST(VgaArchive, LoadChunkRefusesBadChunksWithItsMessages) {
    VgaArchive a = archiveOf({coded({1}), {}, {0xFF, 0xFF, 0xFF, 0x7F, 0}});
    const ChunkContext ctx{a, kDict, -1};
    auto empty = LoadChunk(1, ctx);
    EXPECT_EQ(empty.error().text, "Chunk 1 has an illegal compressed size!");
    EXPECT_EQ(empty.error().caption, "LoadChunk(): Illegal chunk");
    auto huge = LoadChunk(2, ctx);
    EXPECT_EQ(huge.error().text, "Couldn't allocate memory (2147483647 bytes) for chunk 2");
    a.table.entries.back() += 100; // past the end of the file
    EXPECT_EQ(LoadChunk(2, ctx).error().caption, "LoadChunk(): fseek failed");
    // An empty tile8 chunk (all tiles 0 when written) reads as 72 zero tiles.
    auto tiles = LoadChunk(1, {a, kDict, 1});
    ASSERT_TRUE(tiles.ok());
    EXPECT_EQ(*tiles, std::vector<uint8_t>(kTile8ChunkBytes, 0));
}

TEST(VgaArchive, PictureTableDropsInvalidTrailingEntries) {
    auto table = [](std::vector<uint8_t> bytes) {
        return decodePictureTable(*HuffmanEncode(bytes, kCodes), kDict);
    };
    EXPECT_EQ(table(le16s({8, 2, 4, 1, 0, 5})).size(), 2u);
    EXPECT_EQ(table(le16s({8, 2, 4, 1024})).size(), 1u);
    EXPECT_EQ(table(le16s({-3, 2, 4, 1})).size(), 2u); // only trailing entries go
    auto partial = le16s({8, 2});
    partial.push_back(4); // a partial entry is cut off
    EXPECT_EQ(table(partial).size(), 1u);
}

struct Env {
    TempDir dir;
    VgaGraphState state;
    StrictPrompter prompter;
    InlineJobRunner runner;
};

TEST(VgaArchiveFiles, ScreensInTwoRunsOnlyTheFirstIsReplaced) {
    Env e;
    const auto files = writeArchive(
        e.dir, smallArchive({coded(screenData(1)), coded({7, 7}), coded(screenData(2))}));
    ASSERT_TRUE(LoadScreens(e.state, files, std::nullopt, true, e.prompter));
    ASSERT_EQ(e.state.screens.screens.size(), 2u);
    EXPECT_EQ(e.state.screens.screens[1].chunk, 6u);
    e.state.screens.screens[0].bytes[100] = 0x42;
    ASSERT_TRUE(SaveScreens(e.state, files, e.prompter, e.runner));
    VgaGraphState again;
    ASSERT_TRUE(LoadScreens(again, files, std::nullopt, true, e.prompter));
    ASSERT_EQ(again.screens.screens.size(), 3u);
    EXPECT_EQ(again.screens.screens[0].bytes[100], 0x42);
    EXPECT_EQ(again.screens.screens[1].chunk, 5u);
    EXPECT_EQ(again.screens.screens[2].chunk, 7u); // the second run stays where it was
    EXPECT_EQ(again.screens.screens[2].bytes[100], 2);
}

TEST(VgaArchiveFiles, Tile8WrittenShortReadsBackAs72Tiles) {
    Env e;
    const auto files = writeArchive(e.dir, smallArchive({coded({1})}));
    ASSERT_TRUE(LoadTile8s(e.state, files, std::nullopt, true, e.prompter));
    EXPECT_EQ(e.state.tile8s.tiles[63], 9);
    EXPECT_EQ(e.state.tile8s.tiles[64], 0);
    for (size_t i = 0; i < 62 * kTile8Bytes; ++i)
        e.state.tile8s.tiles[i] = uint8_t(i | 1);
    ASSERT_TRUE(SaveTile8s(e.state, files, e.prompter, e.runner));
    VgaArchive saved{parseHeader(readBytes(files.headPath())), readBytes(files.graphPath())};
    const auto stored = saved.storedBytes(3);
    EXPECT_EQ(stored.size(), 62 * kTile8Bytes); // 8-bit codes: one byte per pixel
    VgaGraphState again;
    ASSERT_TRUE(LoadTile8s(again, files, std::nullopt, true, e.prompter));
    EXPECT_EQ(again.tile8s.tiles, e.state.tile8s.tiles);
    EXPECT_EQ(*LoadChunk(4, {saved, kDict, 3}), (std::vector<uint8_t>{1}));
    e.state.tile8s.tiles.assign(kTile8ChunkBytes, 0); // all empty: an empty chunk
    ASSERT_TRUE(SaveTile8s(e.state, files, e.prompter, e.runner));
    ASSERT_TRUE(LoadTile8s(again, files, std::nullopt, true, e.prompter));
    EXPECT_EQ(again.tile8s.tiles, e.state.tile8s.tiles);
}

TEST(VgaArchiveFiles, ArchiveWithoutFontsAndBadPictureSizes) {
    Env e;
    auto chunks = smallArchive({});
    chunks.erase(chunks.begin() + 1); // no font
    const auto files = writeArchive(e.dir, chunks);
    ASSERT_TRUE(LoadGraphics(e.state, files, std::nullopt, true, e.prompter, e.runner));
    EXPECT_EQ(e.state.graphics.firstPictureChunk, 1);
    EXPECT_EQ(e.state.graphics.pictureCount(), 1);
    EXPECT_EQ(e.state.graphics.otherChunks.size(), 1u); // the tile8 chunk

    TempDir bad;
    auto wrong = smallArchive({});
    wrong[0] = coded(le16s({4, 3})); // the picture holds 8 bytes, not 12
    ASSERT_FALSE(
        LoadGraphics(e.state, writeArchive(bad, wrong), std::nullopt, true, e.prompter, e.runner));
    EXPECT_EQ(e.prompter.messages.back().caption, "Graphics pictable or Huffman table corrupt!");
    EXPECT_FALSE(e.state.graphics.loaded);
    EXPECT_EQ(e.state.graphics.pictureCount(), 0);
}

TEST(VgaArchiveFiles, FontsStopAtAChunkTooShortForAFont) {
    Env e;
    auto chunks = smallArchive({});
    std::vector<uint8_t> stub(6, 0);
    storeLe16Test(stub, 2, int(kFontGlyphStart)); // passes the font test, too short to use
    chunks.insert(chunks.begin() + 2, coded(stub));
    chunks[0] = coded(le16s({4, 2}));
    ASSERT_TRUE(LoadFonts(e.state, writeArchive(e.dir, chunks), std::nullopt, true, e.prompter));
    EXPECT_EQ(e.state.fonts.fonts.size(), 1u);
}

TEST(VgaArchiveFiles, BadDictionaryAndHeaderAreReported) {
    Env e;
    const auto files = writeArchive(e.dir, smallArchive({}));
    auto dict = writeDictionary(kDict);
    storeLe16Test(dict, 0, 0x2FF);
    writeBytes(files.dictPath(), dict);
    EXPECT_FALSE(LoadFonts(e.state, files, std::nullopt, true, e.prompter));
    EXPECT_EQ(e.prompter.messages.back().caption, "Huffman table corrupt!");
    writeBytes(files.dictPath(), writeDictionary(kDict));
    writeBytes(files.headPath(), {0, 0, 0, 1});
    EXPECT_FALSE(LoadFonts(e.state, files, std::nullopt, true, e.prompter));
    EXPECT_EQ(e.prompter.messages.back().text, "Invalid VGAHEAD file!");
}

} // namespace
} // namespace zentrik::test
