// Resolution change of walls and sprites: blending with wrap-around, stretching, shrinking,
// the sprites' opacity rule, empty slots and Cancel.
#include "TestSupport.h"

#include "pagefile/Resolution.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

GamePalette greys() {
    GamePalette p;
    for (int i = 0; i < 256; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i), uint8_t(i), uint8_t(i)};
    return p;
}

TEST(Resolution, StretchThenShrinkFindsTheLowestIndexOfTheColour) {
    GamePalette pal = greys();
    pal.entries[200] = pal.entries[40]; // 200 shows the same colour as 40
    NearestColorTable colors(pal);
    WallSet walls;
    walls.images = {IndexedImage(64, 200), std::nullopt};
    walls.raw.assign(2 * kLowTextureBytes, 200);
    InlineProgress progress;
    WallSet high;
    ASSERT_EQ(
        ChangeWallResolutionWorker(walls, ResolutionChange::Stretch, pal, colors, progress, high),
        JobResult::Done);
    EXPECT_EQ(high.side, 128);
    EXPECT_EQ(high.textureBytes, kHighTextureBytes);
    ASSERT_EQ(high.raw.size(), 2u * kHighTextureBytes);
    EXPECT_EQ(high.images[0]->pixels, std::vector<uint8_t>(kHighTextureBytes, 200));
    EXPECT_FALSE(high.images[1]);
    EXPECT_EQ(progress.counter, "2/2");
    WallSet low;
    ASSERT_EQ(
        ChangeWallResolutionWorker(high, ResolutionChange::Shrink, pal, colors, progress, low),
        JobResult::Done);
    EXPECT_EQ(low.images[0]->pixels, std::vector<uint8_t>(kLowTextureBytes, 40));
    EXPECT_EQ(low.raw[0], 40);
    EXPECT_FALSE(low.images[1]);
    // a change that does not fit the side leaves everything alone
    EXPECT_EQ(ChangeWallResolutionWorker(low, ResolutionChange::Shrink, pal, colors, progress, low),
              JobResult::FailedUntouched);
}

TEST(Resolution, SpriteOpacityRuleWhenShrinking) {
    GamePalette pal = greys();
    NearestColorTable colors(pal);
    IndexedImage sprite(128, TransparentIndex);
    // block (0,0): two transparent -> opaque mix of 100, 100 and entry 0 twice
    sprite.set(0, 0, 100);
    sprite.set(1, 0, 100);
    // block (1,0): three transparent -> transparent
    sprite.set(2, 0, 100);
    const IndexedImage out =
        changeImageResolution(sprite, ResolutionChange::Shrink, true, pal, colors);
    EXPECT_EQ(out.at(0, 0), 50);
    EXPECT_EQ(out.at(1, 0), TransparentIndex);
    // stretching copies transparent indices
    const IndexedImage up =
        changeImageResolution(out, ResolutionChange::Stretch, true, pal, colors);
    EXPECT_EQ(up.at(1, 1), 50);
    EXPECT_EQ(up.at(2, 1), TransparentIndex);
}

TEST(Resolution, OpaqueSpritePixelsNeverBecomeTransparent) {
    GamePalette pal;
    pal.entries[10] = Rgb{0, 100, 0};
    pal.entries[11] = Rgb{0, 200, 0};
    pal.entries[255] = Rgb{0, 150, 0}; // exactly the mix of 10 and 11
    NearestColorTable colors(pal);
    IndexedImage sprite(128, TransparentIndex);
    sprite.set(0, 0, 10);
    sprite.set(1, 0, 11);
    sprite.set(0, 1, 10);
    sprite.set(1, 1, 11);
    const IndexedImage out =
        changeImageResolution(sprite, ResolutionChange::Shrink, true, pal, colors);
    EXPECT_EQ(out.at(0, 0), 10);
}

} // namespace
} // namespace zentrik::test
