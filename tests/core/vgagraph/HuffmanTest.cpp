#include "TestSupport.h"
#include "VgaTestData.h"

#include "io/ByteReader.h"

#include <gtest/gtest.h>

#include <random>

namespace zentrik::test {
namespace {

HuffmanDict wl1Dictionary() {
    auto d = readDictionary(readGameFile("wl1/VGADICT.WL1"));
    EXPECT_TRUE(d.ok());
    return *d;
}

VgaArchive wl1Archive() {
    VgaArchive a;
    a.table = parseHeader(readGameFile("wl1/VGAHEAD.WL1"));
    a.graph = readGameFile("wl1/VGAGRAPH.WL1");
    return a;
}

// The shareware archive's compressor left a few bytes after the coded data of some chunks
// (some of them a signature); the coded data itself must come back bit for bit.
TEST(Huffman, Wl1EveryChunkReEncodesToItsStoredBits) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const HuffmanDict dict = wl1Dictionary();
    const CodeTable codes = BuildCodeTable(dict);
    for (int b = 0; b < 256; ++b)
        EXPECT_GT(codes.length[b], 0u) << b;
    VgaArchive a = wl1Archive();
    ASSERT_EQ(a.chunkCount(), 156);
    ASSERT_TRUE(validateOffsets(a.table, a.graph.size()));
    const int tile8 = 147;
    int exact = 0;
    for (int c = 0; c < a.chunkCount(); ++c) {
        ByteReader r(a.storedBytes(c));
        std::vector<uint8_t> data(c == tile8 ? 35 * kTile8Bytes : *r.u32(), 0);
        const auto stream = r.rest();
        ASSERT_EQ(HuffmanDecode(stream, data, dict), data.size()) << c;
        auto coded = HuffmanEncode(data, codes);
        ASSERT_TRUE(coded.ok());
        ASSERT_LE(coded->size(), stream.size()) << c;
        EXPECT_TRUE(std::equal(coded->begin(), coded->end(), stream.begin())) << "chunk " << c;
        EXPECT_LE(stream.size() - coded->size(), 5u) << "chunk " << c;
        EXPECT_EQ(HuffmanEncodedSize(data, codes), coded->size());
        exact += coded->size() == stream.size();
    }
    EXPECT_EQ(exact, 156 - 25);
}

TEST(Huffman, TableDecoderEqualsBitWalkOnRandomStreamsIncludingFillBits) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const HuffmanDict dict = wl1Dictionary();
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> src(rng() % 64);
        for (auto& b : src)
            b = uint8_t(rng());
        std::vector<uint8_t> slowAll(src.size() * 8 + 1);
        const size_t total = HuffmanDecodeBitwise(src, slowAll, dict);
        EXPECT_EQ(HuffmanCountDecoded(src, dict), total);
        const size_t len = rng() % (total + 3);
        std::vector<uint8_t> fast(len, 1), slow(len, 1);
        EXPECT_EQ(HuffmanDecode(src, fast, dict), HuffmanDecodeBitwise(src, slow, dict));
        EXPECT_EQ(fast, slow);
    }
}

TEST(Huffman, ByteWithoutCodeIsRefusedNotDropped) {
    HuffmanDict d = balancedDictionary();
    d.nodes[kDictRoot].branch[0] = 'A'; // cuts off half the byte values
    finishDictionary(d);
    const CodeTable t = BuildCodeTable(d);
    EXPECT_EQ(t.length[0], 0u);
    auto coded = HuffmanEncode(std::vector<uint8_t>{'A', 0}, t);
    ASSERT_FALSE(coded.ok());
    EXPECT_EQ(coded.error().text, "Byte value 0 has no code in the graphics dictionary!");
}

TEST(Huffman, CodesDeeperThan32BitsAreLeftWithoutCode) {
    // A chain: root -> node 253 -> ... each with one leaf; byte k sits at depth k + 1.
    HuffmanDict d;
    for (int depth = 0; depth < 40; ++depth) {
        const int node = kDictRoot - depth;
        d.nodes[node].branch = {uint16_t(depth), uint16_t(kDictNodeBase + node - 1)};
    }
    d.nodes[kDictRoot - 40].branch = {200, 201};
    auto checked = readDictionary(writeDictionary(d));
    ASSERT_TRUE(checked.ok());
    const CodeTable t = BuildCodeTable(*checked);
    EXPECT_EQ(t.length[0], 1u);
    EXPECT_EQ(t.code[1], 1u);
    EXPECT_EQ(t.length[31], 32u);
    EXPECT_EQ(t.code[31], 0x7FFFFFFFu);
    EXPECT_EQ(t.length[32], 0u);
    EXPECT_EQ(t.length[200], 0u);
}

TEST(HuffmanDictionary, BadTablesAreRefusedWithAMessage) {
    const std::vector<uint8_t> good = writeDictionary(balancedDictionary());
    auto shortTable = readDictionary(std::span(good).first(kDictBytes - 1));
    ASSERT_FALSE(shortTable.ok());
    EXPECT_EQ(shortTable.error().text, "Huffman table incomplete!");
    EXPECT_EQ(shortTable.error().caption, "File reading error!");

    std::vector<uint8_t> outside = good;
    storeLe16Test(outside, 4 * 10 + 2, kDictNodeBase + kDictNodes); // node 255 does not exist
    auto o = readDictionary(outside);
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.error().caption, "Huffman table corrupt!");

    std::vector<uint8_t> loop = good;
    storeLe16Test(loop, 4 * kDictRoot, kDictNodeBase + kDictRoot); // root's 0 leads to itself
    auto l = readDictionary(loop);
    ASSERT_FALSE(l.ok());
    EXPECT_EQ(l.error().text, "The Huffman table contains a loop!");

    std::vector<uint8_t> deepLoop = good;
    storeLe16Test(deepLoop, 4 * 127 + 2, kDictNodeBase + kDictRoot); // a leaf node back to root
    EXPECT_FALSE(readDictionary(deepLoop).ok());

    std::vector<uint8_t> longer = good;
    longer.resize(1024, 0xFF); // bytes past the table are ignored
    EXPECT_TRUE(readDictionary(longer).ok());
}

} // namespace
} // namespace zentrik::test
