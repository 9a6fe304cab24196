// Edits of whole chunks: insert and remove of walls and sprites with the raw block in step, the
// sprite test's round trip at 128 pixels, the 1024-sound limit at insert time, and the
// resolution change (blending with wrap-around, stretching, shrinking, the sprites' opacity
// rule, empty slots and Cancel).
#include "TestSupport.h"

#include "pagefile/ChunkEdit.h"
#include "pagefile/Resolution.h"
#include "pagefile/SoundEdit.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

// Walls 0..n-1, each filled with its own number.
WallSet numberedWalls(int n, int side = 64) {
    WallSet set;
    set.side = side;
    set.textureBytes = side * side;
    for (int i = 0; i < n; ++i) {
        set.images.emplace_back(IndexedImage(side, uint8_t(i)));
        set.raw.insert(set.raw.end(), size_t(set.textureBytes), uint8_t(i));
    }
    return set;
}

// The first raw byte of every slot, and whether each slot equals its image.
std::vector<int> slots(const WallSet& set) {
    std::vector<int> firsts;
    EXPECT_EQ(set.raw.size(), size_t(set.count()) * size_t(set.textureBytes));
    for (int i = 0; i < set.count(); ++i) {
        const auto slot = set.slot(i);
        firsts.push_back(slot[0]);
        if (set.images[size_t(i)]) {
            EXPECT_EQ(imageFromColumns(slot, set.side), *set.images[size_t(i)]) << i;
        }
    }
    return firsts;
}

TEST(ChunkEdit, WallsInsertAfterTheCurrentAndRemoveKeepRawInStep) {
    struct Case {
        int count, current, side;
        bool insert;
        std::vector<int> after;
        int newCurrent;
    };
    const Case cases[] = {
        {0, 0, 64, true, {77}, 0},          // into an empty set: wall 0
        {3, 1, 64, true, {0, 1, 77, 2}, 2}, // after the current one
        {3, 2, 128, true, {0, 1, 2, 77}, 3},
        {3, 1, 64, false, {0, 2}, 1},
        {3, 2, 64, false, {0, 1}, 1}, // the last: current clamps
        {1, 0, 64, false, {}, 0},
        {0, 0, 64, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " walls, current " << c.current);
        WallSet set = numberedWalls(c.count, c.side);
        const int now = c.insert ? insertWall(set, c.current, 77) : removeWall(set, c.current);
        EXPECT_EQ(now, c.newCurrent);
        EXPECT_EQ(slots(set), c.after);
    }
}

TEST(ChunkEdit, ARemovedWallPutBackRestoresRawAndImages) {
    WallSet set = numberedWalls(4);
    const WallSet before = set;
    ChunkCopy copy = copyWall(set, 1);
    removeWall(set, 1);
    restoreWall(set, 1, std::move(copy));
    EXPECT_EQ(set.raw, before.raw);
    EXPECT_EQ(set.images, before.images);
    SpriteSet sprites;
    sprites.images.emplace_back(IndexedImage(64, 7));
    ChunkCopy sprite = copySprite(sprites, 0);
    removeSprite(sprites, 0);
    restoreSprite(sprites, 5, std::move(sprite)); // clamped to the end
    ASSERT_EQ(sprites.count(), 1);
    EXPECT_EQ(sprites.images[0]->at(0, 0), 7);
}

TEST(ChunkEdit, ShiftNoticeSaysWhatIsRenumbered) {
    EXPECT_EQ(shiftNotice("Walls", 12, 105, 1),
              "Walls 12\u2013105 become 13\u2013106; the game addresses walls by number");
    EXPECT_EQ(shiftNotice("Sprites", 3, 3, -1),
              "Sprite 3 becomes 2; the game addresses sprites by number");
    EXPECT_EQ(shiftNotice("Walls", 106, 105, 1), "") << "nothing after the last";
}

TEST(ChunkEdit, SpritesInsertTransparentAndRemove) {
    SpriteSet set;
    EXPECT_EQ(insertSprite(set, 5), 0);
    EXPECT_EQ(*set.images[0], IndexedImage(64, TransparentIndex));
    set.images[0]->set(0, 0, 3);
    EXPECT_EQ(insertSprite(set, 0), 1);
    EXPECT_EQ(removeSprite(set, 1), 0);
    EXPECT_EQ(set.images[0]->at(0, 0), 3);
    EXPECT_EQ(removeSprite(set, 0), 0);
    EXPECT_EQ(set.count(), 0);
}

TEST(ChunkEdit, SpriteRoundTripDecodesAtTheSpritesSide) {
    IndexedImage sprite(128, TransparentIndex);
    for (int y = 0; y < 128; y += 3)
        sprite.set(127 - y / 2, y, uint8_t(y)); // reaches the far corner
    EXPECT_EQ(spriteRoundTrip(sprite), sprite);
}

TEST(ChunkEdit, SoundInsertIsRefusedAtThe1024Limit) {
    SoundSet set;
    set.sounds.resize(1024, Sound::fromSamples({128}));
    StrictPrompter prompter;
    EXPECT_EQ(insertSound(set, 3, &prompter), -1);
    EXPECT_EQ(set.count(), 1024);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Too many sounds! A VSWAP file holds at most 1024.");
    set.sounds.pop_back();
    EXPECT_EQ(insertSound(set, 3, &prompter), 4);
}

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
