#include "maps/Rlew.h"

#include <gtest/gtest.h>

#include <random>

using namespace zentrik;

namespace {

std::vector<uint8_t> le(std::initializer_list<uint16_t> words) {
    std::vector<uint8_t> b;
    for (uint16_t w : words) {
        b.push_back(uint8_t(w));
        b.push_back(uint8_t(w >> 8));
    }
    return b;
}

std::vector<uint16_t> expand(const std::vector<uint8_t>& src, size_t words, uint16_t tag,
                             uint16_t fill = 0) {
    std::vector<uint16_t> out(words, fill);
    ExpandRlew(src, out, tag);
    return out;
}

} // namespace

TEST(Rlew, ExactBytesAndBack) {
    struct Case {
        std::vector<uint16_t> words;
        uint16_t tag;
        std::vector<uint8_t> packed;
    } cases[] = {
        {std::vector<uint16_t>(4096, 0x6C), 0xABCD, le({0xABCD, 4096, 0x6C})},
        {{7, 7, 7}, 0xABCD, le({7, 7, 7})}, // runs shorter than four stay literal
        {{7, 7, 7, 7}, 0xABCD, le({0xABCD, 4, 7})},
        {{1, 2, 2, 2, 2, 2, 3}, 0xABCD, le({1, 0xABCD, 5, 2, 3})},
        {{5, 0xABCD, 6}, 0xABCD, le({5, 0xABCD, 1, 0xABCD, 6})}, // a lone tag word
        {{0xABCD, 0xABCD, 0x1234, 9}, 0x1234, le({0xABCD, 0xABCD, 0x1234, 1, 0x1234, 9})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompressRlew(c.words, c.tag), c.packed);
        EXPECT_EQ(expand(c.packed, c.words.size(), c.tag), c.words);
    }
}

TEST(Rlew, ExpansionStopsAtTheEndOfEitherBuffer) {
    const uint16_t E = 0xEEEE;
    struct Case {
        std::vector<uint8_t> src;
        std::vector<uint16_t> want;
    } cases[] = {
        {le({1, 2, 0xABCD, 9}), {1, 2, E, E, E}}, // a tag with one word behind it
        {le({1, 0xABCD}), {1, E, E}},
        {le({0xABCD, 60000, 3}), {3, 3, 3, 3}}, // a run longer than the destination
        {le({1, 2, 3, 4, 5}), {1, 2}},
        {le({0xABCD, 0, 9, 4, 0x77}), {4, 0x77, E}}, // a zero count writes nothing
        {{0x04, 0x00, 0x77}, {4, E}},                // an odd byte makes no word
    };
    for (const Case& c : cases)
        EXPECT_EQ(expand(c.src, c.want.size(), 0xABCD, E), c.want);
}

TEST(Rlew, RandomPlanesRoundTrip) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint16_t> plane(4096);
        const int alphabet = 1 + round % 6;
        for (auto& w : plane)
            w = (rng() % 5 == 0) ? 0xABCD : uint16_t(rng() % alphabet);
        EXPECT_EQ(expand(CompressRlew(plane, 0xABCD), 4096, 0xABCD), plane);
    }
}
