// maps render-3d: one frame of the 3D view of a level, as a PNG or BMP picture.
#include "Render3dVerb.h"
#include "CliArea.h"
#include "CliCommon.h"

#include "app/ExtensionTable.h"
#include "app/Settings.h"
#include "imaging/BmpTarget.h"
#include "imaging/BmpWriter.h"
#include "imaging/PngWriter.h"
#include "io/SafeFile.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "pagefile/PageFileReader.h"
#include "world/RayCaster.h"
#include "world/SymbolSet.h"
#include "world/Viewer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

namespace zentrik::cli {

namespace {

constexpr const char* kUsage = "zentrik-cli maps render-3d GAMEMAPS.x LEVEL X Y ANGLE "
                               "OUT.png|OUT.bmp [--vswap VSWAP.x] [--floor-mode 0..3] "
                               "[--size WxH]";

class FrameTarget : public BmpTarget {
public:
    explicit FrameTarget(const WorldFrame& f) : m_frame(f) {}
    int width() const override { return m_frame.width(); }
    int height() const override { return m_frame.height(); }
    uint8_t getPixel(int x, int y) const override { return m_frame.at(x, y); }
    void setPixel(int, int, uint8_t) override {}

private:
    const WorldFrame& m_frame;
};

// A decimal number such as "30.5" or "-90"; nothing for anything else or beyond the limit.
std::optional<double> decimalArg(const std::string& text, double limit) {
    if (text.empty() || text.size() > 16 ||
        text.find_first_not_of("+-.0123456789") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v) || std::fabs(v) > limit)
        return std::nullopt;
    return v;
}

// "WxH", each side from the smallest picture's up to the largest; nothing for anything else.
std::optional<std::pair<int, int>> sizeArg(const std::string& text) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = numberArg(text.substr(0, x), kMaxViewSide);
    const auto h = numberArg(text.substr(x + 1), kMaxViewSide);
    if (!w || !h || *w < kViewWidth || *h < kViewHeight)
        return std::nullopt;
    return std::pair{*w, *h};
}

std::string lower(std::string s) {
    for (char& ch : s)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

} // namespace

ExtensionRecord extensionFor(const std::string& suffix) {
    auto text = readWholeFile(programDir() / "extensions.txt");
    ExtensionRecord fallback{suffix, "Wolfenstein 3D", "Wolfenstein3D"};
    if (!text)
        return fallback;
    const std::string s(text->begin(), text->end());
    for (const ExtensionRecord& r : parseExtensions(s).records)
        if (lower(r.extension) == lower(suffix))
            return r;
    return fallback;
}

bool loadPageFile(Context& c, const std::filesystem::path& path, WallSet& walls,
                  SpriteSet& sprites) {
    auto bytes = readWholeFile(path);
    if (!bytes) {
        c.prompter.message(path.string(), "Cannot Open", MessageIcon::Error);
        return false;
    }
    InlineProgress progress;
    if (LoadTexturesWorker(*bytes, progress, c.prompter, walls) != JobResult::Done)
        return false;
    return LoadSpritesWorker(*bytes, progress, c.prompter, sprites) == JobResult::Done;
}

std::unique_ptr<LevelSet> loadLevels(Context& c, const MapFileName& name,
                                     std::optional<int> level) {
    auto set = std::make_unique<LevelSet>();
    LevelSetEditor editor(*set, c.prompter);
    Settings settings;
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    MapArchiveFiles files(editor, settings, MapFileServices{c.prompter, jobs, quiet, clock, {}});
    if (!files.loadMaps(name))
        return nullptr;
    if (level && *level >= set->levelCount()) {
        c.prompter.message("This level doesn't exist!", "Error", MessageIcon::Error);
        return nullptr;
    }
    return set;
}

bool loadPageFileFor(Context& c, const MapFileName& name, WallSet& walls, SpriteSet& sprites) {
    const auto option = c.args.option("vswap");
    return loadPageFile(c, option ? std::filesystem::path(*option) : name.sibling("VSWAP"), walls,
                        sprites);
}

std::optional<GamePalette> paletteFor(Context& c, const ExtensionRecord& ext) {
    if (!c.args.option("palette")) {
        auto bytes = readWholeFile(programDir() / "palette" / (ext.palette + ".pal"));
        if (GamePalette p; bytes && readPalBytes(*bytes, p))
            return p;
    }
    return paletteArg(c);
}

std::optional<LevelRenderData> loadLevelRenderData(Context& c, const MapFileName& name,
                                                   const ExtensionRecord& ext, int level) {
    LevelRenderData data;
    data.set = loadLevels(c, name, level);
    if (!data.set || !loadPageFileFor(c, name, *data.walls, *data.sprites))
        return std::nullopt;
    data.symbols = LoadSymbolSet(programDir(), ext.symbolSet, c.prompter);
    std::optional<GamePalette> palette = paletteFor(c, ext);
    if (!palette)
        return std::nullopt;
    data.palette = *palette;
    return data;
}

int render3d(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 6)
        return c.usage(kUsage);
    const auto x = decimalArg(pos[2], kMapSide), y = decimalArg(pos[3], kMapSide);
    const auto angle = decimalArg(pos[4], 1e6);
    const auto mode = numberArg(c.args.option("floor-mode").value_or("0"), 3);
    const std::string out = lower(std::filesystem::path(pos[5]).extension().string());
    const auto level = numberArg(pos[1], kMaxLevels - 1);
    const auto size = sizeArg(c.args.option("size").value_or("600x375"));
    if (!x || !y || !angle || !mode || !level || !size || *x < 0 || *y < 0 ||
        (out != ".png" && out != ".bmp"))
        return c.usage(kUsage);

    const MapFileName name = MapFileName::split(pos[0]);
    const auto data = loadLevelRenderData(c, name, extensionFor(name.ext), *level);
    if (!data)
        return kExitNotDone;
    const GamePalette& palette = data->palette;

    auto map = std::make_unique<WorldMap>();
    map->build(&data->set->levels[size_t(*level)], data->symbols.objects, kDifficultyAll);
    auto colors = std::make_unique<FloorSymbolColors>();
    colors->rebuild(data->symbols.strip, palette);
    ViewerPose pose;
    placeViewer(pose, int32_t(std::lround(*x * 65536)), int32_t(std::lround(*y * 65536)));
    pose.angle = int(std::lround(std::fmod(std::fmod(*angle, 360) + 360, 360))) % 360;
    RenderOptions options;
    options.floorMode = FloorMode(*mode);
    auto frame = std::make_unique<WorldFrame>();
    frame->resize(size->first, size->second);
    renderFrame({map.get(), data->walls.get(), data->sprites.get(), colors.get()}, pose, options,
                *frame);

    const std::vector<uint8_t> bytes =
        out == ".png" ? png8Bytes(frame->pixels, frame->width(), frame->height(), palette)
                      : bmp8Bytes(FrameTarget(*frame), palette);
    if (auto st = replaceFile(pos[5], bytes); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    return kExitDone;
}

} // namespace zentrik::cli
