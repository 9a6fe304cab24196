// maps render-3d: the 3D view of a shareware level as PNG and BMP, and bad arguments.
#include "CliRunner.h"
#include "TestSupport.h"
#include "world/ViewTables.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

std::string q(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

uint32_t big32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}

// The scanlines of a PNG whose image data is stored uncompressed, filter bytes removed.
std::vector<uint8_t> storedPngPixels(const std::vector<uint8_t>& png) {
    std::vector<uint8_t> z, pixels;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t n = big32(png, at);
        if (std::string(png.begin() + long(at) + 4, png.begin() + long(at) + 8) == "IDAT")
            z.insert(z.end(), png.begin() + long(at) + 8, png.begin() + long(at + 8 + n));
        at += 12 + n;
    }
    std::vector<uint8_t> raw;
    for (size_t at = 2; at + 5 <= z.size();) {
        const size_t n = size_t(z[at + 1] | z[at + 2] << 8);
        raw.insert(raw.end(), z.begin() + long(at) + 5, z.begin() + long(at + 5 + n));
        if (z[at] & 1)
            break;
        at += 5 + n;
    }
    for (size_t row = 0; row * (kViewWidth + 1) < raw.size(); ++row)
        pixels.insert(pixels.end(), raw.begin() + long(row * (kViewWidth + 1) + 1),
                      raw.begin() + long((row + 1) * (kViewWidth + 1)));
    return pixels;
}

} // namespace

TEST(CliRender3d, PngAndBmpHoldTheSameFrame) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    for (const char* f : {"MAPHEAD.WL1", "GAMEMAPS.WL1", "VSWAP.WL1"})
        dir.copyGameFile(std::string("wl1/") + f);
    const std::string args = "maps render-3d " + q(dir / "GAMEMAPS.WL1") + " 0 29.5 57.5 0 ";
    ASSERT_EQ(runCli(args + q(dir / "a.png") + " --floor-mode 1", dir.path()).exitCode, 0);
    ASSERT_EQ(runCli(args + q(dir / "a.bmp") + " --floor-mode 1", dir.path()).exitCode, 0);
    const auto png = readBytes(dir / "a.png"), bmp = readBytes(dir / "a.bmp");
    ASSERT_EQ(bmp.size(), 1078u + size_t(kViewPixels));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(big32(png, 16), uint32_t(kViewWidth));
    EXPECT_EQ(big32(png, 20), uint32_t(kViewHeight));
    const auto pixels = storedPngPixels(png);
    ASSERT_EQ(pixels.size(), size_t(kViewPixels));
    for (int y : {0, kCenterRow, kViewHeight - 1}) // the bitmap's rows are bottom first
        EXPECT_TRUE(std::equal(pixels.begin() + y * kViewWidth,
                               pixels.begin() + (y + 1) * kViewWidth,
                               bmp.begin() + 1078 + (kViewHeight - 1 - y) * kViewWidth));
}

TEST(CliRender3d, BadArgumentsAndMissingFiles) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    for (const char* f : {"MAPHEAD.WL1", "GAMEMAPS.WL1"})
        dir.copyGameFile(std::string("wl1/") + f);
    const std::string maps = "maps render-3d " + q(dir / "GAMEMAPS.WL1");
    for (const char* bad : {" 0 x 5 0 o.png", " 0 70 5 0 o.png", " 0 5 -1 0 o.png",
                            " 0 5 5 0 o.gif", " 0 5 5 0 o.png --floor-mode 4", " 0 5 5 o.png"})
        EXPECT_EQ(runCli(maps + bad, dir.path()).exitCode, 2) << bad;
    EXPECT_EQ(runCli(maps + " 99 5 5 0 " + q(dir / "o.png"), dir.path()).exitCode, 1);
    const auto r = runCli(maps + " 0 5 5 0 " + q(dir / "o.png"), dir.path()); // no VSWAP
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("VSWAP.WL1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "o.png"));
}
