#include "maps/Carmack.h"

#include <gtest/gtest.h>

#include <random>

using namespace zentrik;

namespace {

std::vector<uint8_t> bytesOf(const std::vector<uint16_t>& words) {
    std::vector<uint8_t> b;
    for (uint16_t w : words) {
        b.push_back(uint8_t(w));
        b.push_back(uint8_t(w >> 8));
    }
    return b;
}

std::vector<uint16_t> expand(const std::vector<uint8_t>& src, size_t words, uint16_t fill = 0) {
    std::vector<uint16_t> out(words, fill);
    ExpandCarmack(src, out);
    return out;
}

std::vector<uint16_t> wordsOf(const std::vector<uint8_t>& b) {
    std::vector<uint16_t> w(b.size() / 2);
    for (size_t i = 0; i < w.size(); ++i)
        w[i] = uint16_t(b[2 * i] | (b[2 * i + 1] << 8));
    return w;
}

constexpr auto kCompatible = CarmackMode::Compatible;
constexpr auto kBest = CarmackMode::BestResult;

} // namespace

TEST(CarmackCompress, TagLikeWordWithoutMatchTakesThreeBytes) {
    EXPECT_EQ(CompressCarmack(bytesOf({0xA712}), kCompatible),
              (std::vector<uint8_t>{0x00, 0xA7, 0x12}));
    EXPECT_EQ(CompressCarmack(bytesOf({0xA8FF}), kBest), (std::vector<uint8_t>{0x00, 0xA8, 0xFF}));
    EXPECT_EQ(expand({0x00, 0xA7, 0x12, 0x00, 0xA8, 0xFF}, 2),
              (std::vector<uint16_t>{0xA712, 0xA8FF}));
}

TEST(CarmackCompress, FourEqualWordsAtTheStart) {
    const auto in = bytesOf({0x0102, 0x0102, 0x0102, 0x0102});
    EXPECT_EQ(CompressCarmack(in, kCompatible), in);
    // At the second word a distance of 1 is not tried yet; at the third it is, overlapping.
    EXPECT_EQ(CompressCarmack(in, kBest),
              (std::vector<uint8_t>{0x02, 0x01, 0x02, 0x01, 0x02, 0xA7, 0x01}));
    EXPECT_EQ(expand(CompressCarmack(in, kBest), 4), wordsOf(in));
}

TEST(CarmackCompress, NearBeatsFarOfEqualLengthAndFarNeedsThreeWords) {
    // Words 1..3 repeat at 4..6: a near copy (distance 3) and a far copy (offset 1) of three
    // words tie; the near item is shorter.
    const auto a = CompressCarmack(bytesOf({9, 1, 2, 3, 1, 2, 3}), kCompatible);
    EXPECT_EQ(a, (std::vector<uint8_t>{9, 0, 1, 0, 2, 0, 3, 0, 0x03, 0xA7, 0x03}));
    // Word 0 is never in reach of a near copy (distances stop one short), so there a far copy
    // of three words is used.
    EXPECT_EQ(CompressCarmack(bytesOf({1, 2, 3, 1, 2, 3}), kCompatible),
              (std::vector<uint8_t>{1, 0, 2, 0, 3, 0, 0x03, 0xA8, 0x00, 0x00}));
    // 300 distinct words, then a repeat of the first two: too far for near, too short for far.
    std::vector<uint16_t> w;
    for (uint16_t i = 0; i < 300; ++i)
        w.push_back(uint16_t(1000 + i));
    w.push_back(1000);
    w.push_back(1001);
    const auto packed = CompressCarmack(bytesOf(w), kCompatible);
    EXPECT_EQ(packed.size(), w.size() * 2);
    // A third repeated word makes it a far copy.
    w.push_back(1002);
    const auto packed3 = CompressCarmack(bytesOf(w), kCompatible);
    ASSERT_EQ(packed3.size(), 300u * 2 + 4);
    EXPECT_EQ(std::vector<uint8_t>(packed3.end() - 4, packed3.end()),
              (std::vector<uint8_t>{0x03, 0xA8, 0x00, 0x00}));
    EXPECT_EQ(expand(packed3, w.size()), w);
}

TEST(CarmackCompress, FastSearchEqualsReferenceOnRandomData) {
    std::mt19937 rng(11);
    const uint16_t alphabet[] = {0x0001, 0x0002, 0xA700, 0xA7A7, 0xA801, 0x00A7, 0x1234};
    for (int round = 0; round < 120; ++round) {
        const size_t bytes = size_t(rng() % 2200) + (round % 2); // odd lengths too
        std::vector<uint8_t> in(bytes);
        const int kinds = 1 + round % 7;
        for (size_t i = 0; i + 1 < bytes; i += 2) {
            const uint16_t w = alphabet[rng() % kinds];
            in[i] = uint8_t(w);
            in[i + 1] = uint8_t(w >> 8);
        }
        if (bytes % 2)
            in.back() = uint8_t(rng());
        for (auto mode : {kCompatible, kBest}) {
            const auto fast = CompressCarmack(in, mode);
            ASSERT_EQ(fast, CompressCarmackReference(in, mode))
                << "round " << round << " mode " << int(mode);
            EXPECT_EQ(expand(fast, bytes / 2), wordsOf(in));
        }
    }
}

TEST(CarmackExpand, MalformedItemsStopWithoutLeavingTheBuffer) {
    // After the literal 5 each item is bad; E marks words never written.
    const uint16_t E = 0xEEEE;
    const std::pair<std::vector<uint8_t>, std::vector<uint16_t>> cases[] = {
        {{0x05, 0x00, 0x03, 0xA7, 0x01}, {5, E, E}},          // more words than expected
        {{0x05, 0x00, 0x02, 0xA7, 0x09}, {5, E, E, E}},       // near copy before the first word
        {{0x05, 0x00, 0x02, 0xA8, 0x03, 0x00}, {5, E, E, E}}, // far copy past the length
        {{0x05, 0x00, 0x00, 0xA7}, {5, E}},                   // items cut short by the end
        {{0x05, 0x00, 0x02, 0xA8, 0x00}, {5, E, E}},
        {{0x05}, {E, E}}, // a lone byte is no word
    };
    for (const auto& [src, want] : cases)
        EXPECT_EQ(expand(src, want.size(), E), want);
}

TEST(CarmackExpand, OverlappingNearCopyAndOtherTags) {
    EXPECT_EQ(expand({0x01, 0x00, 0x02, 0x00, 0x05, 0xA7, 0x02}, 7),
              (std::vector<uint16_t>{1, 2, 1, 2, 1, 2, 1}));
    std::vector<uint16_t> out(4, 0);
    ExpandCarmack(std::vector<uint8_t>{0x07, 0x00, 0x03, 0x11, 0x01}, out, 0x11, 0x22);
    EXPECT_EQ(out, (std::vector<uint16_t>{7, 7, 7, 7}));
    // With other tags, 0xA7 is an ordinary high byte.
    ExpandCarmack(std::vector<uint8_t>{0x01, 0xA7, 0x02, 0xA8}, std::span(out).first(2), 0x11,
                  0x22);
    EXPECT_EQ(out[0], 0xA701);
    EXPECT_EQ(out[1], 0xA802);
}
