// maps render-2d: the level from above with its textures and sprites, for mod pages and for
// reviewing a level without the editor; --problems marks what the level check finds.
#include "CliCommon.h"
#include "LevelCheckVerbs.h"
#include "Render3dVerb.h"

#include "app/Settings.h"
#include "imaging/PngWriter.h"
#include "io/SafeFile.h"
#include "maps/LevelPicture.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"

namespace zentrik::cli {

namespace {

constexpr const char* kUsage =
    "zentrik-cli maps render-2d GAMEMAPS.x LEVEL OUT.png [--vswap VSWAP.x] [--cell N] "
    "[--skill 1..4] [--problems] [--profile dos|unlimited] [--palette FILE]";

} // namespace

int render2d(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 3)
        return c.usage(kUsage);
    const auto level = numberArg(pos[1], kMaxLevels - 1);
    const auto cell = numberArg(c.args.option("cell").value_or("16"), kMaxPictureCell);
    const auto skill = numberArg(c.args.option("skill").value_or("4"), kSkills);
    const MapFileName name = MapFileName::split(pos[0]);
    const ExtensionRecord ext = extensionFor(name.ext);
    const auto profile = engineProfileById(
        c.args.option("profile").value_or(ext.engineProfile.empty() ? "dos" : ext.engineProfile));
    std::string suffix = std::filesystem::path(pos[2]).extension().string();
    for (char& ch : suffix)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (!level || !cell || *cell < kMinPictureCell || !skill || *skill < 1 || !profile ||
        suffix != ".png")
        return c.usage(kUsage);

    const auto data = loadLevelRenderData(c, name, ext, *level);
    if (!data)
        return kExitNotDone;
    const SymbolSet& symbols = data->symbols;
    const Level& l = data->set->levels[size_t(*level)];
    LevelPictureOptions options;
    options.cell = *cell;
    options.skill = *skill;
    if (c.args.flag("problems"))
        options.problems =
            checkLevel(l, CheckRules{symbols, *profile, data->set->featureFlags}).problems;
    const LevelPicture picture =
        renderLevelPicture(l, symbols, *data->walls, *data->sprites, options);
    if (auto st = replaceFile(
            pos[2], png8Bytes(picture.pixels, picture.width, picture.height, data->palette));
        !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    return kExitDone;
}

} // namespace zentrik::cli
