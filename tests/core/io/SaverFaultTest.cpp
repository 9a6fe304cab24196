// Every saver, with each file operation of its save broken in turn: the set ends all old or
// all new, never mixed, never missing, and the backups hold the files as they were.
#include "../maps/MapTestFixture.h"
#include "../pagefile/PageFileTestSupport.h"
#include "app/ExtensionTable.h"
#include "app/IniFile.h"
#include "FileFaults.h"
#include "imaging/BmpWriter.h"
#include "maps/MapFile.h"
#include "pagefile/ImageTarget.h"
#include "pagefile/Wav.h"
#include "vgagraph/VgaFiles.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

namespace {

// A saver of game files: the old set is the shareware copy of the same files.
SaverCase gameFiles(std::string name, std::vector<std::string> files,
                    std::function<bool(const fs::path&)> save) {
    auto prepare = [files](const fs::path& dir) {
        for (const auto& n : files)
            fs::copy_file(gamedataDir() / "wl1" / n, dir / n, fs::copy_options::overwrite_existing);
    };
    return {std::move(name), std::move(files), prepare, std::move(save)};
}

void text(const fs::path& p, const std::string& s) {
    writeBytes(p, std::vector<uint8_t>(s.begin(), s.end()));
}

// The models are read once from the game files; each save goes into a fresh folder.
bool saveMaps(const fs::path& dir) {
    static MapFixture f;
    if (!f.set.mapsLoaded) {
        if (!f.load(gamedataDir() / "wl1" / "GAMEMAPS.WL1"))
            return false;
        f.set.levels.resize(2); // two levels compress in a tenth of the time of ten
        f.set.levels[0].planes[0] = patternPlane(3);
    }
    return f.files.saveMaps(dir / "GAMEMAPS.WL1", std::nullopt);
}

bool saveWalls(const fs::path& dir) {
    static PageFilesFixture f;
    if (f.files.walls.count() == 0) {
        if (!f.files.LoadTextures(gamedataDir() / "wl1" / "VSWAP.WL1"))
            return false;
        f.files.walls.setImage(0, IndexedImage(f.files.walls.side, 7));
    }
    return f.files.SaveTextures(dir / "VSWAP.WL1");
}

// Two kinds saved by one command: one replacement of the three files.
bool saveGraphics(const fs::path& dir) {
    static StrictPrompter prompter;
    static VgaGraphState state;
    if (!state.anyLoaded()) {
        const auto game = VgaFileSet::fromGraphPath(gamedataDir() / "wl1" / "VGAGRAPH.WL1");
        if (!LoadFonts(state, game, std::nullopt, true, prompter) ||
            !LoadTile8s(state, game, std::nullopt, false, prompter))
            return false;
        state.tile8s.tiles[5] ^= 0x55;
        state.fonts.fonts[0][kFontGlyphStart] ^= 0x0F;
    }
    InlineJobRunner jobs;
    return SaveAllGraphics(state, VgaFileSet::fromGraphPath(dir / "VGAGRAPH.WL1"), false, prompter,
                           jobs);
}

bool saveSettings(const fs::path& dir) {
    IniFile ini(dir / "zentrik.ini");
    ini.load();
    ini.set("Paths", "LastMap", "GAMEMAPS.WL6");
    return bool(ini.save());
}

bool saveExtensions(const fs::path& dir) {
    StrictPrompter prompter;
    ExtensionTable table(prompter);
    table.setRecords({{"WL6", "wolf3d", "wolfpal"}, {"SOD", "sod", "sodpal"}});
    return bool(table.save(dir));
}

bool exportLevel(const fs::path& dir) {
    StrictPrompter prompter;
    LevelSet set;
    set.levels.push_back(Level::blank(false));
    set.levels[0].planes[0] = patternPlane(5);
    return exportMap(set, dir / "E1L1.MAP", prompter);
}

bool exportBitmap(const fs::path& dir) {
    StrictPrompter prompter;
    IndexedImage image(64, 9);
    ImageTarget target(image);
    return ExportBMP(target, dir / "wall.bmp", GamePalette{}, prompter);
}

bool exportWav(const fs::path& dir) {
    const std::vector<uint8_t> samples{0x80, 0x90, 0xA0, 0x70};
    return bool(replaceFile(dir / "sound.wav", wavImage(samples, kDefaultSampleRate)));
}

} // namespace

TEST(SaverFaults, EverySaverLeavesItsSetAllOldOrAllNewAtEveryBrokenStep) {
    ZENTRIK_REQUIRE_GAMEDATA();
    const auto nothing = [](const fs::path&) {};
    const auto old = [](const char* name) {
        return [name](const fs::path& dir) { text(dir / name, "old content\n"); };
    };
    const SaverCase cases[] = {
        gameFiles("maps", {"GAMEMAPS.WL1", "MAPHEAD.WL1"}, saveMaps),
        gameFiles("page file", {"VSWAP.WL1"}, saveWalls),
        gameFiles("graphics archive", {"VGADICT.WL1", "VGAGRAPH.WL1", "VGAHEAD.WL1"}, saveGraphics),
        {"settings", {"zentrik.ini"}, old("zentrik.ini"), saveSettings},
        {"extensions.txt", {"extensions.txt"}, old("extensions.txt"), saveExtensions},
        {"single level", {"E1L1.MAP"}, old("E1L1.MAP"), exportLevel},
        {"bitmap export", {"wall.bmp"}, old("wall.bmp"), exportBitmap},
        {"WAV export", {"sound.wav"}, old("sound.wav"), exportWav},
        {"new WAV file", {"sound.wav"}, nothing, exportWav},
    };
    for (const auto& c : cases)
        expectNoLossAtAnyStep(c);
}
