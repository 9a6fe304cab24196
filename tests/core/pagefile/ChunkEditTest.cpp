// Insert and remove of walls and sprites with the raw block in step, the sprite test's round
// trip at 128 pixels, and the 1024-sound limit at insert time.
#include "TestSupport.h"

#include "pagefile/ChunkEdit.h"
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

} // namespace
} // namespace zentrik::test
