// Writing the page file: each part alone leaves the others byte for byte, absent chunks stay
// absent, and the replacement goes through .tmp and .bak.
#include "PageFileTestSupport.h"

#include "io/SafeFile.h"
#include "pagefile/SpriteEncoder.h"

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> chunkBytes(const std::vector<uint8_t>& file, const PageDirectory& d, int i) {
    auto c = d.chunk(file, i);
    return c ? std::vector<uint8_t>(c->begin(), c->end()) : std::vector<uint8_t>{};
}

// Chunks [from, to) of a and [from + shift, to + shift) of b hold the same bytes and absences.
void expectSameChunks(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int from,
                      int to, int shift = 0) {
    auto da = readPageDirectory(a);
    auto db = readPageDirectory(b);
    ASSERT_TRUE(da.ok() && db.ok());
    for (int i = from; i < to; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(da->absent(i), db->absent(i + shift));
        if (da->absent(i))
            EXPECT_EQ(db->lengths[size_t(i + shift)], 0);
        else
            ASSERT_EQ(chunkBytes(a, *da, i), chunkBytes(b, *db, i + shift));
    }
}

TEST(PageFileWrite, EachPartAloneLeavesTheOthersByteIdentical) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const fs::path path = dir.copyGameFile("wl1/VSWAP.WL1");
    const auto original = readBytes(path);
    PageFilesFixture f;
    ASSERT_TRUE(f.files.LoadTextures(path));
    ASSERT_TRUE(f.files.LoadSprites(path));
    ASSERT_TRUE(f.files.LoadSounds(path));
    const SpriteSet sprites = f.files.sprites;

    ASSERT_TRUE(f.files.SaveTextures(path));
    auto afterWalls = readBytes(path);
    EXPECT_EQ(readBytes(bakPathOf(path)), original);
    EXPECT_FALSE(fs::exists(tmpPathOf(path)));
    expectSameChunks(original, afterWalls, 0, 663);

    ASSERT_TRUE(f.files.SaveSounds(path));
    auto afterSounds = readBytes(path);
    expectSameChunks(original, afterSounds, 0, 663);
    EXPECT_EQ(afterSounds, afterWalls); // both already packed anew: nothing moves

    for (int mode : {kSpriteCompressionNone, kSpriteCompressionGood}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(f.files.SaveSprites(path, mode));
        auto afterSprites = readBytes(path);
        expectSameChunks(original, afterSprites, 0, 106);
        expectSameChunks(original, afterSprites, 542, 663);
        PageFilesFixture g;
        ASSERT_TRUE(g.files.LoadSprites(path));
        ASSERT_EQ(g.files.sprites.count(), sprites.count());
        for (int i = 0; i < sprites.count(); ++i)
            ASSERT_EQ(g.files.sprites.images[size_t(i)], sprites.images[size_t(i)]) << i;
    }
}

TEST(PageFileWrite, MoreWallsShiftSpritesAndSounds) {
    std::vector<std::optional<std::vector<uint8_t>>> chunks;
    for (int i = 0; i < 10; ++i)
        chunks.push_back(std::vector<uint8_t>(kLowTextureBytes, uint8_t(i)));
    chunks.push_back(std::vector<uint8_t>{0, 0, 0, 0, 6, 0, 0, 0}); // sprite
    chunks.push_back(std::nullopt);                                 // absent sprite
    chunks.push_back(std::vector<uint8_t>{1, 2, 3});                // sound page
    chunks.push_back(std::vector<uint8_t>{0, 0, 3, 0});             // info
    const auto old = craftPageFile(10, 12, chunks);
    WallSet walls;
    walls.raw.assign(12 * kLowTextureBytes, 5);
    walls.images.resize(12, IndexedImage(64, 5));
    walls.images[11].reset();
    InlineProgress p;
    StrictPrompter prompter;
    std::vector<uint8_t> out;
    ASSERT_EQ(SaveTexturesWorker(old, walls, p, prompter, out), JobResult::Done);
    auto d = readPageDirectory(out);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d->chunkCount, 16);
    EXPECT_EQ(d->spriteStart, 12);
    EXPECT_EQ(d->soundStart, 14);
    EXPECT_TRUE(d->absent(11)); // the empty wall stays absent
    EXPECT_EQ(d->lengths[11], 0);
    expectSameChunks(old, out, 10, 14, 2);
    EXPECT_EQ(d->offsets[0], kPageHeaderBytes + 16 * kPageEntryBytes);
    EXPECT_EQ(d->offsets[1], d->offsets[0] + kLowTextureBytes);
}

TEST(PageFileWrite, ZeroLengthAndAbsentSoundsKeepTheirNumbers) {
    SoundSet set;
    set.sounds.push_back(Sound::fromSamples(std::vector<uint8_t>(5000, 1)));
    set.sounds.push_back(Sound::fromSamples({}));
    Sound gone;
    gone.absent = true;
    gone.length = 9000;
    set.sounds.push_back(gone);
    set.sounds.push_back(Sound::fromSamples({9, 8}));
    InlineProgress p;
    StrictPrompter prompter;
    std::vector<uint8_t> out;
    ASSERT_EQ(SaveSoundsWorker({}, set, p, prompter, out), JobResult::Done);
    auto d = readPageDirectory(out);
    // 2 + 1 + 3 + 1 pages and the info chunk
    ASSERT_EQ(d->chunkCount, 8);
    EXPECT_EQ(d->lengths[2], 0);
    EXPECT_FALSE(d->absent(2));
    EXPECT_TRUE(d->absent(3) && d->absent(4) && d->absent(5));
    EXPECT_EQ(d->lengths[7], 16);
    SoundSet back;
    ASSERT_EQ(runLoad(LoadSoundsWorker, out, back, prompter), JobResult::Done);
    ASSERT_EQ(back.count(), 4);
    EXPECT_EQ(back.sounds[0].samples, set.sounds[0].samples);
    EXPECT_TRUE(back.sounds[1].samples.empty());
    EXPECT_FALSE(back.sounds[1].absent);
    EXPECT_TRUE(back.sounds[2].absent);
    EXPECT_EQ(back.sounds[2].length, 9000);
    EXPECT_EQ(back.sounds[3].samples, (std::vector<uint8_t>{9, 8}));
}

TEST(PageFileWrite, InfoEntriesPastTheLastPageAreWrittenBack) {
    // Some releases end the table with (start 0, length 0): the game counts it as a sound.
    const std::vector<uint8_t> info{0, 0, 3, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    const auto file = craftPageFile(0, 0, {std::vector<uint8_t>{7, 7, 7}, info});
    StrictPrompter prompter;
    SoundSet set;
    ASSERT_EQ(runLoad(LoadSoundsWorker, file, set, prompter), JobResult::Done);
    ASSERT_EQ(set.count(), 3);
    EXPECT_EQ(set.sounds[0].samples, (std::vector<uint8_t>{7, 7, 7}));
    EXPECT_EQ(set.sounds[2].pagelessStart, 1);
    InlineProgress p;
    std::vector<uint8_t> out;
    ASSERT_EQ(SaveSoundsWorker(file, set, p, prompter, out), JobResult::Done);
    EXPECT_EQ(out, file);
}

TEST(PageFileWrite, DamagedOldFileIsNotOverwritten) {
    PageFilesFixture f;
    f.files.sounds.sounds.push_back(Sound::fromSamples({1}));
    TempDir dir;
    const fs::path path = dir / "VSWAP.WL1";
    // a wall chunk pointing past the end
    auto bytes = craftPageFile(1, 1, {std::vector<uint8_t>(10), std::vector<uint8_t>{}});
    bytes[6] = 0xF0;
    writeBytes(path, bytes);
    EXPECT_FALSE(f.files.SaveSounds(path));
    EXPECT_EQ(readBytes(path), bytes);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].text, "Chunk 0 lies outside the file!");
}

TEST(PageFileLoad, CancelledAndFailedLoads) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const fs::path path = dir.copyGameFile("wl1/VSWAP.WL1");
    PageFilesFixture f;
    EXPECT_FALSE(f.files.LoadTextures(dir / "missing"));
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0].caption, "Cannot Open");
    f.clock.set(5000);
    ASSERT_TRUE(f.files.LoadTextures(path));
    EXPECT_EQ(f.folder, dir.path());
    EXPECT_EQ(f.quiet.at(), 5000u); // the job's end starts the quiet time
    // a file without walls, and a cancelled load, leave the loaded walls in place
    writeBytes(dir / "nowalls", craftPageFile(0, 0, {std::vector<uint8_t>{}}));
    EXPECT_FALSE(f.files.LoadTextures(dir / "nowalls"));
    f.jobs.cancelAfter = 1;
    EXPECT_FALSE(f.files.LoadTextures(path));
    EXPECT_TRUE(f.files.wallsLoaded);
    EXPECT_EQ(f.files.walls.count(), 106);
}

} // namespace
} // namespace zentrik::test
