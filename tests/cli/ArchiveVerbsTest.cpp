// Each archive's verbs end to end on a copy of the shareware files: load, save into another
// folder, and the saved archive describes itself exactly as the original did; and the 3D view
// of a level as PNG and BMP.
#include "CliRunner.h"
#include "TestSupport.h"
#include "world/ViewTables.h"

#include <gtest/gtest.h>

#include <regex>

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

namespace {

struct Shareware {
    TempDir dir;
    fs::path out;
    Shareware() : out(dir / "out") {
        for (const char* f : {"MAPHEAD.WL1", "GAMEMAPS.WL1", "VGAHEAD.WL1", "VGAGRAPH.WL1",
                              "VGADICT.WL1", "VSWAP.WL1", "AUDIOHED.WL1", "AUDIOT.WL1"})
            dir.copyGameFile(std::string("wl1/") + f);
        fs::create_directory(out);
    }
    CliResult run(const std::string& args) const { return runCli(args, dir.path().string()); }
};

uint32_t big32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}

// The scanlines of a PNG whose image data is stored uncompressed, filter bytes removed.
std::vector<uint8_t> storedPngPixels(const std::vector<uint8_t>& png, size_t width = kViewWidth) {
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
    for (size_t row = 0; row * (width + 1) < raw.size(); ++row)
        pixels.insert(pixels.end(), raw.begin() + long(row * (width + 1) + 1),
                      raw.begin() + long((row + 1) * (width + 1)));
    return pixels;
}

} // namespace

TEST(CliArchives, MapsSaveAndReloadGiveTheSamePlanes) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto before = s.run("maps info " + q(s.dir / "GAMEMAPS.WL1") + " --json");
    ASSERT_EQ(before.exitCode, 0) << before.err;
    for (const char* mode : {"compatible", "best"}) {
        SCOPED_TRACE(mode);
        auto r = s.run("maps save " + q(s.dir / "GAMEMAPS.WL1") + " " + q(s.out / "GAMEMAPS.WL1") +
                       " --compress enable --mode " + mode);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto after = s.run("maps info " + q(s.out / "GAMEMAPS.WL1") + " --json");
        ASSERT_EQ(after.exitCode, 0) << after.err;
        // The plane hashes and names agree; the stored lengths may differ by a byte or two.
        auto hashes = [](const std::string& json) {
            std::vector<std::string> h;
            for (size_t at = json.find("\"sha256\""); at != std::string::npos;
                 at = json.find("\"sha256\"", at + 1))
                h.push_back(json.substr(at, 75));
            return h;
        };
        EXPECT_EQ(hashes(after.out), hashes(before.out));
        EXPECT_EQ(hashes(before.out).size(), 20u); // two planes a level
    }
    // Cut to half its size: read as far as it goes, said once on stderr, and not done.
    auto maps = readBytes(s.dir / "GAMEMAPS.WL1");
    maps.resize(maps.size() / 2);
    writeBytes(s.dir / "GAMEMAPS.WL1", maps);
    const auto cut = s.run("maps info " + q(s.dir / "GAMEMAPS.WL1"));
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.out.rfind("tag ABCD, 4 levels", 0), 0u) << cut.out;
    EXPECT_EQ(cut.err.rfind("Zentrik: The map file is damaged.", 0), 0u) << cut.err;
    EXPECT_NE(cut.err.find("Map 10: its header lies outside the map file"), std::string::npos);
}

// A level name that is not text comes out escaped; a file of noise is no map file.
TEST(CliArchives, MapsInfoEscapesNamesAndRefusesNoise) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    auto maps = readBytes(s.dir / "GAMEMAPS.WL1");
    const auto head = readBytes(s.dir / "MAPHEAD.WL1");
    const size_t level0 = size_t(head[2] | head[3] << 8 | head[4] << 16 | head[5] << 24);
    const uint8_t name[] = {'W', 0xE9, '"', '\\', 0};
    std::copy(std::begin(name), std::end(name), maps.begin() + long(level0 + 22));
    writeBytes(s.dir / "GAMEMAPS.WL1", maps);
    const auto r = s.run("maps info " + q(s.dir / "GAMEMAPS.WL1"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("0 \"W\\xE9\\\"\\\\\" 64x64"), std::string::npos) << r.out;

    std::vector<uint8_t> noise(maps.size());
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * 7919 + (i >> 5) * 31);
    writeBytes(s.dir / "GAMEMAPS.WL1", noise);
    const auto bad = s.run("maps info " + q(s.dir / "GAMEMAPS.WL1"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("GAMEMAPS.WL1 is not a map file: it does not start with the TED5v1.0"),
              std::string::npos)
        << bad.err;
    EXPECT_TRUE(bad.out.empty()) << bad.out;
}

TEST(CliArchives, GraphicsSaveAllDescribesTheSameArchive) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto before = s.run("vga info " + q(s.dir / "VGAGRAPH.WL1") + " --json");
    ASSERT_EQ(before.exitCode, 0) << before.err;
    auto r =
        s.run("vga save " + q(s.dir / "VGAGRAPH.WL1") + " " + q(s.out / "VGAGRAPH.WL1") + " --all");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto after = s.run("vga info " + q(s.out / "VGAGRAPH.WL1") + " --json");
    ASSERT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.out, before.out);
}

TEST(CliArchives, PageFileSavesKeepEveryPart) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    // Chunks are packed anew, so only their offsets may change.
    auto describe = [&](const fs::path& f) {
        const auto r = s.run("vswap info " + q(f) + " --json");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return std::regex_replace(r.out, std::regex("\"offset\":[0-9]+"), "");
    };
    const std::string before = describe(s.dir / "VSWAP.WL1");
    for (const char* part : {"--walls", "--sprites", "--sounds"}) {
        SCOPED_TRACE(part);
        fs::copy_file(s.dir / "VSWAP.WL1", s.out / "VSWAP.WL1",
                      fs::copy_options::overwrite_existing);
        const auto r = s.run("vswap save " + q(s.dir / "VSWAP.WL1") + " " + q(s.out / "VSWAP.WL1") +
                             " " + part + " --sprite-compression 0");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string after = describe(s.out / "VSWAP.WL1");
        if (std::string(part) == "--sprites") // re-encoded: the images stay, lengths may not
            EXPECT_EQ(std::regex_replace(after, std::regex("\"length\":[0-9]+"), ""),
                      std::regex_replace(before, std::regex("\"length\":[0-9]+"), ""));
        else
            EXPECT_EQ(after, before);
    }
}

TEST(CliArchives, PictureExportImportRoundTrip) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto before = s.run("vga info " + q(s.dir / "VGAGRAPH.WL1") + " --json");
    // The format follows the suffix; an 8-bit file with the palette keeps every index.
    for (const char* name : {"p.bmp", "p.png", "P.PNG"}) {
        auto r = s.run("vga export-picture " + q(s.dir / "VGAGRAPH.WL1") + " 5 " + q(s.out / name));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(readBytes(s.out / name)[0] == 0x89, name[2] != 'b') << name;
        r = s.run("vga import-picture " + q(s.dir / "VGAGRAPH.WL1") + " 5 " + q(s.out / name) +
                  " --copy");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto after = s.run("vga info " + q(s.dir / "VGAGRAPH.WL1") + " --json");
        EXPECT_EQ(after.out, before.out) << name;
    }
    EXPECT_TRUE(fs::exists(s.dir / "VGAGRAPH.WL1.bak"));
    for (const char* verb : {"export-tile8 FILE 3", "export-char FILE 0 65"}) {
        std::string args = verb;
        args.replace(args.find("FILE"), 4, q(s.dir / "VGAGRAPH.WL1"));
        const auto r = s.run("vga " + args + " " + q(s.out / "x.png"));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(readBytes(s.out / "x.png")[1], 'P') << verb;
    }
}

// The "hash" (wall) or "image" (sprite) field of a chunk in "vswap info".
std::string chunkPicture(const std::string& info, int chunk) {
    const std::string head = "\n" + std::to_string(chunk) + " ";
    const size_t line = info.find(head);
    const size_t end = info.find('\n', line + 1);
    const std::string text = info.substr(line, end - line);
    const size_t at = text.rfind(' ');
    return text.substr(at + 1);
}

TEST(CliArchives, WallAndSpriteThroughPngComeBackUnchanged) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const std::string vswap = q(s.dir / "VSWAP.WL1");
    const auto before = s.run("vswap info " + vswap).out;
    const int spriteStart = std::stoi(before.substr(before.find("sprites from ") + 13));
    const std::pair<std::string, int> pictures[] = {{"wall", 1}, {"sprite", 2}};
    for (const auto& [verb, n] : pictures) {
        const std::string args = " " + vswap + " " + std::to_string(n) + " " + q(s.out / "p.png");
        auto r = s.run("vswap export-" + verb + args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(readBytes(s.out / "p.png").at(1), 'P');
        r = s.run("vswap import-" + verb + args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }
    const auto after = s.run("vswap info " + vswap).out;
    EXPECT_EQ(chunkPicture(after, 1), chunkPicture(before, 1));
    EXPECT_EQ(chunkPicture(after, spriteStart + 2), chunkPicture(before, spriteStart + 2));
}

size_t filesIn(const fs::path& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

TEST(CliArchives, ExportAllWritesNumberedFilesAndSkipsEmptyPages) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const std::string vswap = q(s.dir / "VSWAP.WL1");
    auto r = s.run("vswap export-all " + vswap + " " + q(s.out / "walls") + " --walls");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const size_t walls = filesIn(s.out / "walls");
    EXPECT_EQ(r.out, "Exported " + std::to_string(walls) + " pictures to " +
                         (s.out / "walls").string() + "\n");
    EXPECT_FALSE(fs::exists(s.out / "walls" / "wall-056.png")) << "wall 29's page is empty in WL1";
    ASSERT_EQ(s.run("vswap export-wall " + vswap + " 3 " + q(s.out / "w3.png")).exitCode, 0);
    EXPECT_EQ(readBytes(s.out / "walls" / "wall-003.png"), readBytes(s.out / "w3.png"));
    r = s.run("vswap export-all " + vswap + " " + q(s.out / "all") + " --format bmp");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readBytes(s.out / "all" / "sprite-000.bmp").at(0), 'B');
    EXPECT_GT(filesIn(s.out / "all"), walls) << "walls and sprites without a kind flag";

    const std::string graph = q(s.dir / "VGAGRAPH.WL1");
    r = s.run("vga export-all " + graph + " " + q(s.out / "tiles") + " --tile8s");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(s.out / "tiles"), 72u);
    EXPECT_TRUE(fs::exists(s.out / "tiles" / "tile8-00.png"));
    r = s.run("vga export-all " + graph + " " + q(s.out / "vga"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(s.out / "vga"), 144u + 72u);
    ASSERT_EQ(s.run("vga export-picture " + graph + " 5 " + q(s.out / "p5.png")).exitCode, 0);
    EXPECT_EQ(readBytes(s.out / "vga" / "picture-005.png"), readBytes(s.out / "p5.png"));

    for (const char* bad :
         {"vswap export-all FILE DIR --walls --sprites", "vswap export-all FILE DIR --format gif",
          "vswap export-all FILE", "vga export-all FILE DIR --pictures --tile8s"}) {
        std::string args = bad;
        args.replace(args.find("FILE"), 4, bad[1] == 's' ? vswap : graph);
        if (args.find("DIR") != std::string::npos)
            args.replace(args.find("DIR"), 3, q(s.out / "bad"));
        EXPECT_EQ(s.run(args).exitCode, 2) << bad;
    }
    EXPECT_FALSE(fs::exists(s.out / "bad"));
}

TEST(CliArchives, BadArgumentsAndFilesAreRefused) {
    Shareware s;
    EXPECT_EQ(
        s.run("vga export-picture " + q(s.dir / "VGAGRAPH.WL1") + " 99999999999 x.bmp").exitCode,
        2);
    EXPECT_EQ(s.run("vswap export-wall " + q(s.dir / "VSWAP.WL1") + " -1 x.bmp").exitCode, 2);
    writeBytes(s.dir / "GAMEMAPS.BAD", {1, 2, 3});
    const auto r = s.run("maps info " + q(s.dir / "GAMEMAPS.BAD"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    const auto p = s.run("vga export-picture " + q(s.dir / "VGAGRAPH.WL1") + " 5 x.bmp --palette " +
                         q(s.dir / "none.pal"));
    EXPECT_EQ(p.exitCode, 1);
    EXPECT_NE(p.err.find("Cannot Open: "), std::string::npos);
}

TEST(CliArchives, LoadAllCompressAsksRewritesOnceAndKeepsTheOriginalAsBackup) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const auto original = readGameFile("wl1/VSWAP.WL1");
    CliResult r = s.run("loadall compress " + q(s.dir.path()));
    EXPECT_EQ(r.exitCode, 1) << r.err; // the question's answer is No without --yes
    EXPECT_FALSE(fs::exists(s.dir / "VSWAP.WL1.bak"));

    r = s.run("loadall compress " + q(s.dir.path()) + " --yes");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readBytes(s.dir / "VSWAP.WL1.bak"), original); // one save for all three parts
    EXPECT_FALSE(fs::exists(s.dir / "AUDIOT.WL1.bak"));      // music is never written
    EXPECT_EQ(s.run("loadall plan " + q(s.dir / "nothing")).exitCode, 1);
}

TEST(CliRender3d, PngAndBmpHoldTheSameFrame) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    const std::string args = "maps render-3d " + q(s.dir / "GAMEMAPS.WL1") + " 0 29.5 57.5 0 ";
    ASSERT_EQ(s.run(args + q(s.out / "a.png") + " --floor-mode 1").exitCode, 0);
    ASSERT_EQ(s.run(args + q(s.out / "a.bmp") + " --floor-mode 1").exitCode, 0);
    const auto png = readBytes(s.out / "a.png"), bmp = readBytes(s.out / "a.bmp");
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
    // A larger picture: the same view, twice the pixels each way.
    ASSERT_EQ(s.run(args + q(s.out / "b.png") + " --floor-mode 1 --size 1200x750").exitCode, 0);
    const auto large = readBytes(s.out / "b.png");
    ASSERT_GT(large.size(), 33u);
    EXPECT_EQ(big32(large, 16), 1200u);
    EXPECT_EQ(big32(large, 20), 750u);
    EXPECT_EQ(storedPngPixels(large, 1200).size(), 1200u * 750u);
}

TEST(CliRender3d, BadArgumentsAndMissingFiles) {
    ZENTRIK_REQUIRE_GAMEDATA();
    Shareware s;
    fs::remove(s.dir / "VSWAP.WL1");
    const std::string maps = "maps render-3d " + q(s.dir / "GAMEMAPS.WL1");
    for (const char* bad :
         {" 0 x 5 0 o.png", " 0 70 5 0 o.png", " 0 5 -1 0 o.png", " 0 5 5 0 o.gif",
          " 0 5 5 0 o.png --floor-mode 4", " 0 5 5 o.png", " 0 5 5 0 o.png --size 599x375",
          " 0 5 5 0 o.png --size 1200", " 0 5 5 0 o.png --size 9000x750"})
        EXPECT_EQ(s.run(maps + bad).exitCode, 2) << bad;
    EXPECT_EQ(s.run(maps + " 99 5 5 0 " + q(s.dir / "o.png")).exitCode, 1);
    const auto r = s.run(maps + " 0 5 5 0 " + q(s.dir / "o.png")); // no VSWAP
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("VSWAP.WL1"), std::string::npos);
    EXPECT_FALSE(fs::exists(s.dir / "o.png"));
}
