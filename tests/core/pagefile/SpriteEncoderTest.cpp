// The two sprite encoders: exact bytes of the small cases, sharing in the "Good" encoder, and
// random sprites that must decode back exactly.
#include "TestSupport.h"

#include "io/ByteReader.h"
#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"

#include <gtest/gtest.h>

#include <random>

namespace zentrik::test {
namespace {

uint16_t columnOffset(const std::vector<uint8_t>& chunk, int c) {
    return loadLe16(chunk.data() + kSpriteHeaderBytes + size_t(c) * 2);
}

TEST(SpriteEncoder, SinglePixelIsOneColumnWithOnePost) {
    IndexedImage img(64, TransparentIndex);
    img.set(10, 20, 33);
    // left 10, right 10, list at 7 after the pixel at 6; base 6 - 20 = -14
    const std::vector<uint8_t> want{10, 0, 10, 0, 7, 0, 33, 42, 0, 0xF2, 0xFF, 40, 0, 0, 0};
    EXPECT_EQ(CompressSpritePlain(img), want);
    EXPECT_EQ(CompressSpriteShared(img), want);
    EXPECT_EQ(DecodeSprite(want, 64), img);
}

TEST(SpriteEncoder, SharedReusesListsAndPixels) {
    IndexedImage img(64, TransparentIndex);
    for (int y = 5; y < 15; ++y) {
        img.set(0, y, uint8_t(y)); // columns 0 and 2 alike
        img.set(2, y, uint8_t(y));
        img.set(3, y, uint8_t(y)); // column 3 also, plus a second post
    }
    img.set(3, 30, 77);
    img.set(3, 31, 78);
    img.set(4, 40, 8); // contained in 5..14's pixels
    img.set(4, 41, 9);
    const auto plain = CompressSpritePlain(img);
    const auto shared = CompressSpriteShared(img);
    EXPECT_EQ(DecodeSprite(shared, 64), img);
    EXPECT_LT(shared.size(), plain.size());
    EXPECT_EQ(columnOffset(shared, 0), columnOffset(shared, 2));
    // header 4, column table 10, pixels 10 + 2 (column 2's and 3's first runs and
    // column 4's run lie inside column 0's run), lists: column 3's two records + 0, column 0's
    // record + 0 (shared by column 2), column 4's record + 0; column 1 points at the first
    // terminator
    EXPECT_EQ(shared.size(), 4u + 10 + 12 + 14 + 8 + 8);
}

TEST(SpriteEncoder, SharedOverlapsRunsThatContinueEachOther) {
    IndexedImage img(64, TransparentIndex);
    const uint8_t a[] = {1, 2, 3, 4, 5, 6};
    const uint8_t b[] = {5, 6, 7, 8, 9};
    for (int y = 0; y < 6; ++y)
        img.set(0, y, a[y]);
    for (int y = 0; y < 5; ++y)
        img.set(1, y, b[y]);
    const auto shared = CompressSpriteShared(img);
    EXPECT_EQ(DecodeSprite(shared, 64), img);
    // 9 pixel bytes instead of 11: the two runs overlap by 2
    const std::vector<uint8_t> pixels(shared.begin() + 8, shared.begin() + 17);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(SpriteEncoder, CheckerboardWorstCaseFitsAndDecodes) {
    for (int side : {64, 128}) {
        IndexedImage img(side, TransparentIndex);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if ((x + y) % 2 == 0)
                    img.set(x, y, uint8_t((x * 7 + y) % 255));
        const auto plain = CompressSpritePlain(img);
        EXPECT_EQ(plain.size(), side == 64 ? 14596u : 57860u);
        EXPECT_EQ(DecodeSprite(plain, side), img);
        const auto shared = CompressSpriteShared(img);
        EXPECT_EQ(DecodeSprite(shared, side), img);
        EXPECT_LE(shared.size(), plain.size());
    }
}

TEST(SpriteEncoder, RandomSpritesRoundTripAndSharedIsNeverLonger) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 120; ++round) {
        const int side = round % 10 == 0 ? 128 : 64;
        IndexedImage img(side, TransparentIndex);
        const int colours = 1 + int(rng() % 4);
        const int density = int(rng() % 100);
        const int x0 = int(rng() % side), x1 = int(rng() % side);
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            for (int y = 0; y < side; ++y)
                if (int(rng() % 100) < density)
                    img.set(x, y, uint8_t(rng() % colours));
        const auto plain = CompressSpritePlain(img);
        const auto shared = CompressSpriteShared(img);
        ASSERT_EQ(DecodeSprite(plain, side), img) << round;
        ASSERT_EQ(DecodeSprite(shared, side), img) << round;
        ASSERT_LE(shared.size(), plain.size()) << round;
    }
}

} // namespace
} // namespace zentrik::test
