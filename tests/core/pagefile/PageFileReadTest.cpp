// Reading the page file: the shareware file, and one crafted file per failure mode.
#include "PageFileTestSupport.h"

#include "pagefile/SpriteDecoder.h"

namespace zentrik::test {
namespace {

TEST(PageFileRead, ShareWareHeaderWallsSpritesAndSounds) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto file = readGameFile("wl1/VSWAP.WL1");
    auto dir = readPageDirectory(file);
    ASSERT_TRUE(dir.ok());
    EXPECT_EQ(dir->chunkCount, 663);
    EXPECT_EQ(dir->spriteStart, 106);
    EXPECT_EQ(dir->soundStart, 542);

    StrictPrompter prompter;
    WallSet walls;
    ASSERT_EQ(runLoad(LoadTexturesWorker, file, walls, prompter), JobResult::Done);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(walls.count(), 106);
    EXPECT_EQ(walls.side, 64);
    int empty = 0;
    for (int i = 0; i < walls.count(); ++i) {
        if (!walls.images[size_t(i)]) {
            ++empty;
            continue;
        }
        auto chunk = dir->chunk(file, i);
        ASSERT_TRUE(std::equal(chunk->begin(), chunk->end(), walls.slot(i).begin()));
        // column-major in the file, bottom row first in the image
        const IndexedImage& img = *walls.images[size_t(i)];
        EXPECT_EQ(img.pixels[size_t(63 - 5) * 64 + 7], (*chunk)[7 * 64 + 5]);
    }
    EXPECT_EQ(empty, 42);

    SpriteSet sprites;
    ASSERT_EQ(runLoad(LoadSpritesWorker, file, sprites, prompter), JobResult::Done);
    EXPECT_EQ(sprites.count(), 436);
    EXPECT_FALSE(sprites.highRes);
    int emptySprites = 0, opaque = 0;
    for (const auto& img : sprites.images) {
        if (!img) {
            ++emptySprites;
            continue;
        }
        for (uint8_t p : img->pixels)
            opaque += p != TransparentIndex;
    }
    EXPECT_EQ(emptySprites, 210);
    EXPECT_GT(opaque, 100000);

    SoundSet sounds;
    ASSERT_EQ(runLoad(LoadSoundsWorker, file, sounds, prompter), JobResult::Done);
    ASSERT_EQ(sounds.count(), 46);
    int absent = 0;
    for (const Sound& s : sounds.sounds)
        absent += s.absent;
    EXPECT_EQ(absent, 26);
    EXPECT_EQ(sounds.sounds[0].length, 5996);
    ASSERT_EQ(sounds.sounds[0].samples.size(), 5996u);
    EXPECT_TRUE(std::equal(sounds.sounds[0].samples.begin(), sounds.sounds[0].samples.end(),
                           file.begin() + std::ptrdiff_t(dir->offsets[542])));
    EXPECT_TRUE(sounds.sounds[16].absent);
    EXPECT_EQ(sounds.sounds[16].length, 3057);
}

TEST(PageFileRead, EmptyWallZeroMakesLowResolutionAndLargeWallsAreDropped) {
    std::vector<uint8_t> big(kHighTextureBytes, 7), low(kLowTextureBytes, 9);
    auto file =
        craftPageFile(4, 4, {std::vector<uint8_t>{}, big, low, big, std::vector<uint8_t>{}});
    StrictPrompter prompter;
    WallSet walls;
    ASSERT_EQ(runLoad(LoadTexturesWorker, file, walls, prompter), JobResult::Done);
    EXPECT_EQ(walls.side, 64);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "Error 10: TextureLength is not constant !!");
    EXPECT_FALSE(walls.images[0] || walls.images[1] || walls.images[3]);
    ASSERT_TRUE(walls.images[2]);
    EXPECT_EQ(walls.images[2]->pixels[0], 9);
}

TEST(PageFileRead, HighResolutionWallsAndSprites) {
    std::vector<uint8_t> big(kHighTextureBytes);
    big[1] = 42; // column 0, row 1
    // sprite A reaches column 70, sprite B stays in the top-left quarter
    IndexedImage a(128, TransparentIndex), b(128, TransparentIndex);
    a.set(70, 3, 5);
    b.set(2, 2, 6);
    // one post, row 3: end*2 = 8, base = 14 - 3 = 11, start*2 = 6
    std::vector<uint8_t> spriteA{70, 0, 70, 0, 6, 0, 8, 0, 11, 0, 6, 0, 0, 0, 5};
    std::vector<uint8_t> spriteB{2, 0, 2, 0, 6, 0, 6, 0, 12, 0, 4, 0, 0, 0, 6};
    auto file = craftPageFile(1, 3, {big, spriteA, spriteB, std::vector<uint8_t>{}});
    StrictPrompter prompter;
    WallSet walls;
    ASSERT_EQ(runLoad(LoadTexturesWorker, file, walls, prompter), JobResult::Done);
    EXPECT_EQ(walls.side, 128);
    EXPECT_EQ(walls.images[0]->at(0, 1), 42);
    SpriteSet sprites;
    ASSERT_EQ(runLoad(LoadSpritesWorker, file, sprites, prompter), JobResult::Done);
    EXPECT_TRUE(sprites.highRes);
    EXPECT_EQ(*sprites.images[0], a);
    EXPECT_EQ(*sprites.images[1], b);
}

TEST(PageFileRead, SpriteAndSoundRefusals) {
    StrictPrompter prompter;
    SpriteSet sprites;
    auto noSprites = craftPageFile(0, 0, {std::vector<uint8_t>{0, 0, 0, 0}});
    EXPECT_EQ(runLoad(LoadSpritesWorker, noSprites, sprites, prompter), JobResult::Failed);
    EXPECT_EQ(prompter.messages.back().text, "VSWAP doesn't contain any sprites!");

    // info entry 0 points at the info chunk itself
    SoundSet sounds;
    auto badInfo =
        craftPageFile(0, 0, {std::vector<uint8_t>{128}, std::vector<uint8_t>{1, 0, 1, 0}});
    EXPECT_EQ(runLoad(LoadSoundsWorker, badInfo, sounds, prompter), JobResult::Failed);
    EXPECT_EQ(prompter.messages.back().text, "Invalid sound headers!");
    EXPECT_EQ(prompter.messages.back().caption, "Unable to load sounds!");

    // a sound longer than what the file holds
    auto shortSound =
        craftPageFile(0, 0, {std::vector<uint8_t>{128}, std::vector<uint8_t>{0, 0, 0, 16}});
    EXPECT_EQ(runLoad(LoadSoundsWorker, shortSound, sounds, prompter), JobResult::Failed);

    // header and tables cut short
    auto cut = craftPageFile(0, 0, {std::vector<uint8_t>{1}});
    cut.resize(8);
    EXPECT_EQ(runLoad(LoadSoundsWorker, cut, sounds, prompter), JobResult::Failed);
    EXPECT_EQ(prompter.messages.back().text, "This is not a valid VSWAP file!");
    // starts out of order
    auto order = craftPageFile(2, 1, {std::vector<uint8_t>{1}, std::vector<uint8_t>{1}});
    EXPECT_FALSE(readPageDirectory(order).ok());
}

TEST(PageFileRead, SoundCountStopsAt1024Entries) {
    // 1100 one-byte sounds in 1100 pages; only 1024 are counted
    std::vector<std::optional<std::vector<uint8_t>>> chunks;
    ByteWriter info;
    for (int i = 0; i < 1100; ++i) {
        chunks.push_back(std::vector<uint8_t>{uint8_t(i)});
        info.u16(uint16_t(i));
        info.u16(1);
    }
    chunks.push_back(info.take());
    auto file = craftPageFile(0, 0, chunks);
    StrictPrompter prompter;
    SoundSet sounds;
    ASSERT_EQ(runLoad(LoadSoundsWorker, file, sounds, prompter), JobResult::Done);
    EXPECT_EQ(sounds.count(), 1024);
    EXPECT_EQ(sounds.sounds[1023].samples, std::vector<uint8_t>{uint8_t(1023)});
}

TEST(SpriteDecoder, StaysInsideDamagedChunks) {
    // column table runs past the chunk: nothing decoded, nothing read outside
    std::vector<uint8_t> wide{0, 0, 200, 0, 6};
    EXPECT_EQ(DecodeSprite(wide, 64), IndexedImage(64, TransparentIndex));
    // post whose pixels lie past the end stops that column only
    // column 0 list at 8: end 1, base 50 (outside); column 1 list at 16: end 1, base 24
    const std::vector<uint8_t> two{0, 0, 1, 0, 8, 0,  16, 0, 2, 0, 50, 0, 0,
                                   0, 0, 0, 2, 0, 24, 0,  0, 0, 0, 0,  9};
    const IndexedImage img = DecodeSprite(two, 64);
    EXPECT_EQ(img.at(0, 0), TransparentIndex);
    EXPECT_EQ(img.at(1, 0), 9);
    // a post longer than its chunk is not copied
    std::vector<uint8_t> tall{0, 0, 0, 0, 6, 0, 0, 1, 2, 0, 0, 0, 0, 0};
    EXPECT_EQ(DecodeSprite(tall, 64), IndexedImage(64, TransparentIndex));
    // a lone terminator in the last two bytes is an empty column, not the end of the sprite
    // column 0 -> terminator at 18; column 1 -> list at 8: end 1, base 16, pixel 5 at 16
    const std::vector<uint8_t> lone{0, 0, 1, 0, 18, 0, 8, 0, 2, 0, 16, 0, 0, 0, 0, 0, 5, 0, 0, 0};
    const IndexedImage l = DecodeSprite(lone, 64);
    EXPECT_EQ(l.at(1, 0), 5);
}

} // namespace
} // namespace zentrik::test
