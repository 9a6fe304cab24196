// vga: the graphics archive VGAGRAPH + VGAHEAD + VGADICT.
#include "CliArea.h"
#include "CliCommon.h"

#include "imaging/BmpImport.h"
#include "imaging/Palette.h"
#include "imaging/PictureFile.h"
#include "io/SafeFile.h"
#include "vgagraph/FontOps.h"
#include "vgagraph/ScreenOps.h"
#include "vgagraph/VgaBmpTargets.h"
#include "vgagraph/VgaFiles.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ostream>

namespace zentrik::cli {

namespace {

// FNV-1a, 64 bits, of an expanded chunk: scripts compare archives by it.
std::string vgaHash(std::span<const uint8_t> bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

std::string joinInts(const std::vector<int>& v) {
    std::string s;
    for (size_t i = 0; i < v.size(); ++i)
        s += (i ? "," : "") + std::to_string(v[i]);
    return s;
}

struct ArchiveInfo {
    int chunks = 0, sparse = 0, tile8Chunk = -1, tilesUsed = 0;
    ArchiveLayout layout;
    std::vector<std::pair<int, int>> fonts; // height, characters
    std::vector<int> screens, others;
    std::vector<std::string> hashes; // "" where the chunk cannot be expanded
};

ArchiveInfo gatherInfo(const VgaArchive& a, const HuffmanDict& dict, int sparse) {
    ArchiveInfo info;
    info.chunks = a.chunkCount();
    info.sparse = sparse;
    info.layout = scanLayout(a, dict);
    info.tile8Chunk = info.layout.tile8Chunk();
    const ChunkContext ctx{a, dict, info.tile8Chunk};
    for (int c = 0; c < a.chunkCount(); ++c) {
        auto chunk = LoadChunk(c, ctx);
        info.hashes.push_back(chunk ? vgaHash(*chunk) : "");
        if (!chunk)
            continue;
        if (c >= kFirstFontChunk && c <= info.layout.fonts) {
            int present = 0;
            for (int k = 0; k < kFontChars; ++k)
                present += fontCharPresent(*chunk, k);
            info.fonts.emplace_back(fontHeight(*chunk), present);
        } else if (c == info.tile8Chunk) {
            for (int t = 0; t < kTile8Count; ++t)
                info.tilesUsed += std::any_of(chunk->begin() + t * kTile8Bytes,
                                              chunk->begin() + (t + 1) * kTile8Bytes,
                                              [](uint8_t b) { return b != 0; });
        } else if (c > info.tile8Chunk) {
            (isScreenData(*chunk) ? info.screens : info.others).push_back(c);
        }
    }
    return info;
}

void printInfo(Context& c, const ArchiveInfo& i) {
    const auto& pics = i.layout.pictures;
    if (!c.json) {
        c.out << "chunks " << i.chunks << "\nsparse " << i.sparse << "\nfonts " << i.fonts.size()
              << "\n";
        for (size_t f = 0; f < i.fonts.size(); ++f)
            c.out << "font " << f << " chunk " << f + 1 << " height " << i.fonts[f].first
                  << " characters " << i.fonts[f].second << "\n";
        c.out << "pictures " << pics.size() << "\n";
        for (size_t p = 0; p < pics.size(); ++p)
            c.out << "picture " << p << " chunk " << i.layout.firstPictureChunk() + int(p) << " "
                  << pics[p].width << "x" << pics[p].height << "\n";
        c.out << "tile8 chunk " << i.tile8Chunk << " tiles " << i.tilesUsed << "\nscreens "
              << joinInts(i.screens) << "\nothers " << joinInts(i.others) << "\n";
        for (size_t h = 0; h < i.hashes.size(); ++h)
            c.out << "chunk " << h << " " << (i.hashes[h].empty() ? "-" : i.hashes[h]) << "\n";
        return;
    }
    c.out << "{\"chunks\":" << i.chunks << ",\"sparse\":" << i.sparse << ",\"fonts\":[";
    for (size_t f = 0; f < i.fonts.size(); ++f)
        c.out << (f ? "," : "") << "{\"chunk\":" << f + 1 << ",\"height\":" << i.fonts[f].first
              << ",\"characters\":" << i.fonts[f].second << "}";
    c.out << "],\"pictures\":[";
    for (size_t p = 0; p < pics.size(); ++p)
        c.out << (p ? "," : "") << "{\"chunk\":" << i.layout.firstPictureChunk() + int(p)
              << ",\"width\":" << pics[p].width << ",\"height\":" << pics[p].height << "}";
    c.out << "],\"tile8\":{\"chunk\":" << i.tile8Chunk << ",\"tiles\":" << i.tilesUsed
          << "},\"screens\":[" << joinInts(i.screens) << "],\"others\":[" << joinInts(i.others)
          << "],\"hashes\":[";
    for (size_t h = 0; h < i.hashes.size(); ++h)
        c.out << (h ? "," : "") << (i.hashes[h].empty() ? "null" : "\"" + i.hashes[h] + "\"");
    c.out << "]}\n";
}

bool readDict(Context& c, VgaGraphState& state, const VgaFileSet& files) {
    return LoadHuffman(state, files.dictPath(), c.prompter);
}

int info(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli vga info VGAGRAPH.x [--json]");
    const VgaFileSet files = VgaFileSet::fromGraphPath(c.args.positional()[0]);
    VgaGraphState state;
    if (!readDict(c, state, files))
        return kExitNotDone;
    int sparse = 0;
    if (auto head = readWholeFile(files.headPath())) {
        const ChunkTable raw = parseHeader(*head);
        sparse = int(std::count(raw.entries.begin(), raw.entries.end(), kSparse));
    }
    auto archive = openArchive(files.headPath(), c.args.positional()[0],
                               {"Couldn't open file:", "Couldn't open file:"}, c.prompter);
    if (!archive)
        return kExitNotDone;
    printInfo(c, gatherInfo(*archive, state.dict, sparse));
    return kExitDone;
}

int save(Context& c) {
    const char* use = "zentrik-cli vga save IN OUT --graphics|--fonts|--screens|--tile8s|--all";
    const bool kinds[] = {c.args.flag("graphics"), c.args.flag("fonts"), c.args.flag("screens"),
                          c.args.flag("tile8s"), c.args.flag("all")};
    if (c.args.positional().size() != 2 ||
        std::count(std::begin(kinds), std::end(kinds), true) != 1)
        return c.usage(use);
    const std::filesystem::path in = c.args.positional()[0];
    const VgaFileSet from = VgaFileSet::fromGraphPath(in);
    const VgaFileSet to = VgaFileSet::fromGraphPath(c.args.positional()[1]);
    VgaGraphState state;
    InlineJobRunner jobs;
    bool ok = false;
    if (kinds[4]) {
        ok = LoadAllGraphics(state, from, c.prompter, jobs, in) &&
             SaveAllGraphics(state, to, false, c.prompter, jobs);
    } else if (kinds[0]) {
        ok = LoadGraphics(state, from, in, true, c.prompter, jobs) &&
             SaveGraphics(state, to, c.prompter, jobs);
    } else if (kinds[1]) {
        ok = LoadFonts(state, from, in, true, c.prompter) && SaveFonts(state, to, c.prompter, jobs);
    } else if (kinds[2]) {
        ok = LoadScreens(state, from, in, true, c.prompter) &&
             SaveScreens(state, to, c.prompter, jobs);
    } else {
        ok = LoadTile8s(state, from, in, true, c.prompter) &&
             SaveTile8s(state, to, c.prompter, jobs);
    }
    return ok ? kExitDone : kExitNotDone;
}

// The screen N (from 0, in chunk order) of the archive FILE.
std::optional<int> screenIndex(Context& c, const VgaGraphState& state) {
    const std::string& text = c.args.positional()[1];
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return std::nullopt;
    const int n = std::stoi(text);
    if (n >= int(state.screens.screens.size())) {
        c.prompter.message("The archive holds " + std::to_string(state.screens.screens.size()) +
                               " screens; there is no screen " + text + "!",
                           "Screens", MessageIcon::Exclamation);
        return std::nullopt;
    }
    return n;
}

int exportScreen(Context& c) {
    if (c.args.positional().size() != 3)
        return c.usage("zentrik-cli vga export-screen FILE N OUT.SCR");
    const std::filesystem::path graph = c.args.positional()[0];
    VgaGraphState state;
    if (!LoadScreens(state, VgaFileSet::fromGraphPath(graph), graph, true, c.prompter))
        return kExitNotDone;
    auto n = screenIndex(c, state);
    if (!n)
        return kExitNotDone;
    const auto bytes = ExportScreenFile(state.screens.screens[size_t(*n)]);
    if (auto st = replaceFile(c.args.positional()[2], bytes); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return kExitNotDone;
    }
    return kExitDone;
}

int importScreen(Context& c) {
    if (c.args.positional().size() != 3)
        return c.usage("zentrik-cli vga import-screen FILE N IN.SCR");
    const std::filesystem::path graph = c.args.positional()[0];
    const VgaFileSet files = VgaFileSet::fromGraphPath(graph);
    VgaGraphState state;
    InlineJobRunner jobs;
    if (!LoadScreens(state, files, graph, true, c.prompter))
        return kExitNotDone;
    auto n = screenIndex(c, state);
    if (!n)
        return kExitNotDone;
    auto scr = readWholeFile(c.args.positional()[2]);
    if (!scr) {
        c.prompter.message(scr.error().text, scr.error().caption, MessageIcon::Exclamation);
        return kExitNotDone;
    }
    if (auto st = ImportScreenFile(state.screens.screens[size_t(*n)], *scr); !st) {
        report(c.prompter, st.error());
        return kExitNotDone;
    }
    state.screens.changed = true;
    return SaveScreens(state, files, c.prompter, jobs) ? kExitDone : kExitNotDone;
}

void noSuch(Context& c, const std::string& what) {
    c.prompter.message("There is no " + what + " in this archive!", "Zentrik", MessageIcon::Error);
}

int exportPicture(Context& c) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? numberArg(pos[1], 99999) : std::nullopt;
    if (!n)
        return c.usage("zentrik-cli vga export-picture FILE N OUT.bmp|OUT.png [--palette P.pal]");
    auto palette = paletteArg(c);
    VgaGraphState state;
    InlineJobRunner jobs;
    if (!palette ||
        !LoadGraphics(state, VgaFileSet::fromGraphPath(pos[0]), pos[0], true, c.prompter, jobs))
        return kExitNotDone;
    if (*n >= state.graphics.pictureCount()) {
        noSuch(c, "picture " + pos[1]);
        return kExitNotDone;
    }
    return ExportPicture(PictureBmpTarget(state.graphics, *n), pos[2], *palette, c.prompter)
               ? kExitDone
               : kExitNotDone;
}

// The fitting questions answered from the options: --resize answers "Picture doesn't fit!"
// with Yes, --nearest, --resample or --copy with No and then the resample question; every other
// question goes on to the stream prompter (--yes).
AnswerByCaption fitAnswers(Context& c) {
    const bool resize = c.args.flag("resize");
    const std::optional<int> scaling = scalingOption(c);
    return AnswerByCaption(
        c.prompter,
        [=](const std::string& caption) -> std::optional<Answer> {
            if (caption == "Picture doesn't fit!" && (resize || scaling))
                return resize ? Answer::Yes : Answer::No;
            return std::nullopt;
        },
        scaling);
}

int importPicture(Context& c) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? numberArg(pos[1], 99999) : std::nullopt;
    const int fits = int(c.args.flag("resize")) + int(c.args.flag("resample")) +
                     int(c.args.flag("copy")) + int(c.args.flag("nearest"));
    if (!n || fits > 1)
        return c.usage("zentrik-cli vga import-picture FILE N IN.bmp|IN.png "
                       "[--nearest|--resample|--copy|--resize] "
                       "[--yes] [--palette P.pal]");
    auto palette = paletteArg(c);
    const VgaFileSet files = VgaFileSet::fromGraphPath(pos[0]);
    VgaGraphState state;
    InlineJobRunner jobs;
    if (!palette || !LoadGraphics(state, files, pos[0], true, c.prompter, jobs))
        return kExitNotDone;
    if (*n >= state.graphics.pictureCount()) {
        noSuch(c, "picture " + pos[1]);
        return kExitNotDone;
    }
    PictureBmpTarget target(state.graphics, *n);
    NearestColorTable colors(*palette);
    auto answers = fitAnswers(c);
    if (!ImportBMP(target, pos[2], colors, answers, jobs))
        return kExitNotDone;
    state.graphics.changed = true;
    return SaveGraphics(state, files, c.prompter, jobs) ? kExitDone : kExitNotDone;
}

int exportAll(Context& c) {
    const auto& pos = c.args.positional();
    const bool pictures = c.args.flag("pictures"), tiles = c.args.flag("tile8s");
    if (pos.size() != 2 || (pictures && tiles))
        return c.usage(
            "zentrik-cli vga export-all FILE FOLDER [--pictures|--tile8s] [--palette P.pal]");
    auto palette = paletteArg(c);
    if (!palette || !exportFolder(c, pos[1]))
        return kExitNotDone;
    const VgaFileSet files = VgaFileSet::fromGraphPath(pos[0]);
    VgaGraphState state;
    InlineJobRunner jobs;
    int written = 0;
    const std::filesystem::path folder = pos[1];
    if (!tiles) {
        if (!LoadGraphics(state, files, pos[0], true, c.prompter, jobs))
            return kExitNotDone;
        for (int i = 0; i < state.graphics.pictureCount(); ++i, ++written)
            if (!ExportPicture(PictureBmpTarget(state.graphics, i),
                               folder / numberedName("picture", i, 3, "png"), *palette, c.prompter))
                return kExitNotDone;
    }
    if (!pictures) {
        if (!LoadTile8s(state, files, pos[0], true, c.prompter))
            return kExitNotDone;
        for (int i = 0; i < kTile8Count; ++i, ++written)
            if (!ExportPicture(Tile8BmpTarget(state.tile8s, i),
                               folder / numberedName("tile8", i, 2, "png"), *palette, c.prompter))
                return kExitNotDone;
    }
    c.out << "Exported " << written << " pictures to " << pos[1] << "\n";
    return kExitDone;
}

int exportTile8(Context& c) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? numberArg(pos[1], kTile8Count - 1) : std::nullopt;
    if (!n)
        return c.usage("zentrik-cli vga export-tile8 FILE N OUT.bmp|OUT.png [--palette P.pal]");
    auto palette = paletteArg(c);
    VgaGraphState state;
    if (!palette || !LoadTile8s(state, VgaFileSet::fromGraphPath(pos[0]), pos[0], true, c.prompter))
        return kExitNotDone;
    return ExportPicture(Tile8BmpTarget(state.tile8s, *n), pos[2], *palette, c.prompter)
               ? kExitDone
               : kExitNotDone;
}

int exportChar(Context& c) {
    const auto& pos = c.args.positional();
    const auto font = pos.size() == 4 ? numberArg(pos[1], 9999) : std::nullopt;
    const auto code = pos.size() == 4 ? numberArg(pos[2], kFontChars - 1) : std::nullopt;
    if (!font || !code)
        return c.usage(
            "zentrik-cli vga export-char FILE FONT CODE OUT.bmp|OUT.png [--palette P.pal]");
    auto palette = paletteArg(c);
    VgaGraphState state;
    if (!palette || !LoadFonts(state, VgaFileSet::fromGraphPath(pos[0]), pos[0], true, c.prompter))
        return kExitNotDone;
    if (*font >= int(state.fonts.fonts.size()) ||
        !fontCharPresent(state.fonts.fonts[size_t(*font)], *code)) {
        noSuch(c, "character " + pos[2] + " in font " + pos[1]);
        return kExitNotDone;
    }
    return ExportPicture(FontCharBmpTarget(state.fonts.fonts[size_t(*font)], *code), pos[3],
                         *palette, c.prompter)
               ? kExitDone
               : kExitNotDone;
}

const AreaRegistration kVga{Area{
    "vga",
    "the graphics archive VGAGRAPH with VGAHEAD and VGADICT beside it",
    {
        {"info",
         "VGAGRAPH.x [--json]",
         "chunks, sparse entries, fonts, pictures, tile8s, screens, other chunks and a hash of "
         "every expanded chunk",
         info,
         {}},
        {"save",
         "IN OUT --graphics|--fonts|--screens|--tile8s|--all",
         "load a kind from IN's archive and save it into OUT's archive (created for --graphics "
         "and --all when OUT does not exist)",
         save,
         {}},
        {"export-picture",
         "FILE N OUT.bmp|OUT.png [--palette P.pal]",
         "write picture N (from 0) as an 8-bit bitmap or PNG (by OUT's suffix) with the palette",
         exportPicture,
         {"palette"}},
        {"import-picture",
         "FILE N IN.bmp|IN.png [--nearest|--resample|--copy|--resize] [--yes] [--palette P.pal]",
         "read a bitmap or PNG into picture N (from 0) and save the pictures into FILE's archive",
         importPicture,
         {"palette"}},
        {"export-all",
         "FILE FOLDER [--pictures|--tile8s] [--palette P.pal]",
         "write every picture as picture-NNN.png and every 8x8 tile as tile8-NN.png into FOLDER",
         exportAll,
         {"palette"}},
        {"export-tile8",
         "FILE N OUT.bmp|OUT.png [--palette P.pal]",
         "write 8x8 tile N (0..71) as an 8-bit bitmap or PNG",
         exportTile8,
         {"palette"}},
        {"export-char",
         "FILE FONT CODE OUT.bmp|OUT.png [--palette P.pal]",
         "write character CODE (decimal or 0x hex) of font FONT (from 0) as an 8-bit bitmap or PNG",
         exportChar,
         {"palette"}},
        {"export-screen",
         "FILE N OUT.SCR",
         "write screen N (from 0) as a 4000-byte .SCR file",
         exportScreen,
         {}},
        {"import-screen",
         "FILE N IN.SCR",
         "read a .SCR file into screen N (from 0) and save the screens into FILE's archive",
         importScreen,
         {}},
    }}};

} // namespace

} // namespace zentrik::cli
