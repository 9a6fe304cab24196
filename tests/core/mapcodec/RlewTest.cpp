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

TEST(Rlew, PlaneOfOneValueIsOneTriple) {
    std::vector<uint16_t> plane(4096, 0x006C);
    EXPECT_EQ(CompressRlew(plane, 0xABCD), le({0xABCD, 4096, 0x006C}));
}

TEST(Rlew, RunsShorterThanFourStayLiteral) {
    EXPECT_EQ(CompressRlew(std::vector<uint16_t>{7, 7, 7}, 0xABCD), le({7, 7, 7}));
    EXPECT_EQ(CompressRlew(std::vector<uint16_t>{7, 7, 7, 7}, 0xABCD), le({0xABCD, 4, 7}));
    EXPECT_EQ(CompressRlew(std::vector<uint16_t>{1, 2, 2, 2, 2, 2, 3}, 0xABCD),
              le({1, 0xABCD, 5, 2, 3}));
}

TEST(Rlew, SingleTagWordBecomesTripleAndExpandsBack) {
    const std::vector<uint16_t> in{5, 0xABCD, 6};
    const auto packed = CompressRlew(in, 0xABCD);
    EXPECT_EQ(packed, le({5, 0xABCD, 1, 0xABCD, 6}));
    EXPECT_EQ(expand(packed, 3, 0xABCD), in);
}

TEST(Rlew, OtherTagIsHonoured) {
    const std::vector<uint16_t> in{0xABCD, 0xABCD, 0x1234, 9};
    const auto packed = CompressRlew(in, 0x1234);
    EXPECT_EQ(packed, le({0xABCD, 0xABCD, 0x1234, 1, 0x1234, 9}));
    EXPECT_EQ(expand(packed, 4, 0x1234), in);
}

TEST(Rlew, TruncatedTripleStopsBeforeIt) {
    // The last item is a tag with only one word behind it: nothing of it is written.
    EXPECT_EQ(expand(le({1, 2, 0xABCD, 9}), 5, 0xABCD, 0xEEEE),
              (std::vector<uint16_t>{1, 2, 0xEEEE, 0xEEEE, 0xEEEE}));
    EXPECT_EQ(expand(le({1, 0xABCD}), 3, 0xABCD, 0xEEEE),
              (std::vector<uint16_t>{1, 0xEEEE, 0xEEEE}));
}

TEST(Rlew, ExpansionStopsAtTheDestinationEnd) {
    EXPECT_EQ(expand(le({0xABCD, 60000, 3}), 4, 0xABCD), (std::vector<uint16_t>{3, 3, 3, 3}));
    EXPECT_EQ(expand(le({1, 2, 3, 4, 5}), 2, 0xABCD), (std::vector<uint16_t>{1, 2}));
}

TEST(Rlew, ZeroCountWritesNothingAndOddByteIsIgnored) {
    auto src = le({0xABCD, 0, 9, 4});
    src.push_back(0x77); // a stray byte that does not make a word
    EXPECT_EQ(expand(src, 3, 0xABCD, 0xEEEE), (std::vector<uint16_t>{4, 0xEEEE, 0xEEEE}));
}

TEST(Rlew, RandomPlanesRoundTrip) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint16_t> plane(4096);
        const int alphabet = 1 + round % 6;
        for (auto& w : plane)
            w = (rng() % 5 == 0) ? 0xABCD : uint16_t(rng() % alphabet);
        const auto packed = CompressRlew(plane, 0xABCD);
        ASSERT_EQ(packed.size() % 2, 0u);
        ASSERT_LE(packed.size(), 16384u); // the map writer's work buffer
        EXPECT_EQ(expand(packed, 4096, 0xABCD), plane);
    }
}

TEST(Rlew, WorstCaseFitsTheWorkBuffer) {
    // Isolated tag words each become a triple: the longest output a plane can have.
    std::vector<uint16_t> plane(4096);
    for (size_t i = 0; i < plane.size(); ++i)
        plane[i] = (i % 2) ? 0 : 0xABCD;
    const auto packed = CompressRlew(plane, 0xABCD);
    EXPECT_EQ(packed.size(), 2048u * 6 + 2048u * 2);
    EXPECT_EQ(expand(packed, 4096, 0xABCD), plane);
}
