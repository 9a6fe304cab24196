// Pictures through PNG and BMP as the pixel pages exchange them: indices kept when the
// picture's palette is the game's, PNG transparency on sprites, and an import that undoes as
// one step on a real wall.
#include "TestSupport.h"

#include "draw/DeviceBmpTarget.h"
#include "draw/TexDevice.h"
#include "imaging/BmpImport.h"
#include "imaging/PictureFile.h"
#include "imaging/PngCodec.h"
#include "pagefile/ImageTarget.h"
#include "pagefile/PageFileReader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

namespace zentrik::test {
namespace {

// Entries 8 and 27 share a colour, as in the game's palette: colour matching would turn 27
// into 8.
GamePalette twinPalette() {
    GamePalette p;
    for (int i = 0; i < 256; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    p.entries[27] = p.entries[8];
    return p;
}

// An RGBA PNG written with libpng itself, so the reader meets a file it did not write.
std::vector<uint8_t> rgbaPng(int w, int h, const std::vector<uint8_t>& rgba) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr);
    std::vector<uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr));
    out.resize(size);
    return out;
}

struct Fixture {
    GamePalette pal = twinPalette();
    NearestColorTable colors{pal};
    StrictPrompter prompter;
    InlineJobRunner jobs;
    TempDir dir;
};

TEST(PictureFile, ExportThenImportKeepsEveryIndexInBothFormats) {
    for (const char* name : {"wall.bmp", "wall.png", "sprite.PNG"}) {
        SCOPED_TRACE(name);
        Fixture f;
        const bool sprite = name[0] == 's';
        IndexedImage image(64, 0);
        for (size_t i = 0; i < image.pixels.size(); ++i)
            image.pixels[i] = uint8_t(i * 31 % 256); // 27, 8 and 255 all occur
        const IndexedImage original = image;
        ASSERT_TRUE(
            ExportPicture(ImageTarget(image, sprite), f.dir / name, f.pal, f.prompter, sprite));
        EXPECT_EQ(isPng(readBytes(f.dir / name)), isPngPath(name)) << "the suffix picks the format";
        std::fill(image.pixels.begin(), image.pixels.end(), uint8_t(1));
        ImageTarget target(image, sprite);
        ASSERT_TRUE(ImportBMP(target, f.dir / name, f.colors, f.prompter, f.jobs));
        EXPECT_EQ(image, original);
    }
}

TEST(PictureFile, AFailedExportNamesTheChosenFileAndTheSystemsReason) {
    for (const char* name : {"wall.bmp", "wall.png"}) {
        Fixture f;
        IndexedImage image(64, 0);
        const auto path = f.dir / "missing-folder" / name;
        EXPECT_FALSE(ExportPicture(ImageTarget(image, false), path, f.pal, f.prompter));
        ASSERT_EQ(f.prompter.messages.size(), 1u);
        const RecordedMessage& m = f.prompter.messages[0];
        EXPECT_EQ(m.caption, "CDrawDevice::ExportBMP: Cannot open file:");
        EXPECT_EQ(m.text.rfind(path.string() + "\n", 0), 0u) << m.text;
        EXPECT_NE(m.text.find("No such file or directory"), std::string::npos) << m.text;
        EXPECT_EQ(m.text.find(".tmp"), std::string::npos) << m.text;
    }
}

TEST(PictureFile, PngAlphaBecomesIndex255OnSpritesOnly) {
    Fixture f;
    // 2 x 1: a half-transparent red (alpha 127) and an opaque colour of entry 40
    const Rgb c = f.pal.entries[40];
    const auto png = rgbaPng(2, 1, {255, 0, 0, 127, c.r, c.g, c.b, 128});
    writeBytes(f.dir / "a.png", png);
    for (bool sprite : {true, false}) {
        IndexedImage image(2, 9);
        ImageTarget target(image, sprite);
        f.prompter.expectQuestion(Answer::No); // 2 x 1 into 2 x 2: copy the corner
        ASSERT_TRUE(ImportBMP(target, f.dir / "a.png", f.colors, f.prompter, f.jobs));
        EXPECT_EQ(image.at(0, 0), sprite ? 255 : FindNearestColor(f.pal, 255, 0, 0));
        EXPECT_EQ(image.at(1, 0), 40);
        EXPECT_EQ(image.at(0, 1), 9);
    }
    EXPECT_EQ(readPicture(std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0})
                  .error()
                  .text,
              "Not a PNG picture!");
}

TEST(PictureFile, CornerImportOnAWallIsOneUndoStep) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Fixture f;
    StrictPrompter prompter;
    InlineProgress progress;
    WallSet walls;
    ASSERT_EQ(LoadTexturesWorker(readGameFile("wl1/VSWAP.WL1"), progress, prompter, walls),
              JobResult::Done);
    CTexDevice device(walls);
    device.selectWall(2);
    const auto rawBefore = walls.raw;
    const auto imageBefore = walls.images[2]->pixels;
    // 100 x 50 with "No" at the resample question: only the top-left 64 x 50 are written
    std::vector<uint8_t> rgba(100 * 50 * 4, 255);
    writeBytes(f.dir / "big.png", rgbaPng(100, 50, rgba));
    f.prompter.expectQuestion(Answer::No);
    DeviceBmpTarget target(device, false);
    ASSERT_TRUE(ImportBMP(target, f.dir / "big.png", f.colors, f.prompter, f.jobs));
    EXPECT_EQ(f.prompter.questions.at(0).caption, "Resample picture?");
    EXPECT_NE(walls.raw, rawBefore);
    EXPECT_EQ(device.undoRing().stepCount(), 1u);
    ASSERT_TRUE(device.undo());
    EXPECT_EQ(walls.raw, rawBefore);
    EXPECT_EQ(walls.images[2]->pixels, imageBefore);
}

} // namespace
} // namespace zentrik::test
