// vswap: the page file's walls, sprites and digitized sounds.
#include "CliArea.h"

#include "app/Settings.h"
#include "imaging/BmpImport.h"
#include "imaging/BmpWriter.h"
#include "imaging/PictureFile.h"
#include "io/SafeFile.h"
#include "pagefile/ImageTarget.h"
#include "pagefile/PageFiles.h"
#include "pagefile/Resolution.h"
#include "pagefile/SoundEdit.h"
#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"
#include "pagefile/Wav.h"
#include "VswapCommon.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <tuple>
#include <vector>

namespace zentrik::cli {

namespace {

const char* kindOf(const PageDirectory& d, int i) {
    if (i < d.spriteStart)
        return "wall";
    if (i < d.soundStart)
        return "sprite";
    return i == d.chunkCount - 1 ? "soundinfo" : "soundpage";
}

void printChunk(Context& c, const PageDirectory& d, std::span<const uint8_t> file, int i,
                int spriteSide, bool first) {
    const uint32_t offset = d.offsets[size_t(i)];
    const uint16_t length = d.lengths[size_t(i)];
    const bool absent = d.absent(i);
    auto bytes = absent ? std::nullopt : d.chunk(file, i);
    // Extra fields as (name, value, quoted).
    std::vector<std::tuple<const char*, std::string, bool>> extra;
    if (bytes && i >= d.spriteStart && i < d.soundStart) {
        auto cols = spriteColumns(*bytes);
        extra.emplace_back("left", std::to_string(cols ? cols->left : 0), false);
        extra.emplace_back("right", std::to_string(cols ? cols->right : 0), false);
        extra.emplace_back("image", fnv1aHex(DecodeSprite(*bytes, spriteSide).pixels), true);
    } else if (bytes) {
        extra.emplace_back("hash", fnv1aHex(*bytes), true);
    }
    std::string tail;
    for (const auto& [name, value, quoted] : extra)
        tail += c.json ? std::string(",\"") + name + "\":" + (quoted ? "\"" + value + "\"" : value)
                       : std::string(" ") + name + " " + value;
    if (c.json) {
        c.out << (first ? "" : ",") << "{\"index\":" << i << ",\"kind\":\"" << kindOf(d, i)
              << "\",\"offset\":" << offset << ",\"length\":" << length
              << ",\"absent\":" << (absent ? "true" : "false") << tail << "}";
    } else {
        c.out << i << " " << kindOf(d, i) << " offset " << offset << " length " << length
              << (absent ? " absent" : "") << tail << "\n";
    }
}

int info(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli vswap info FILE [--json]");
    auto file = readWholeFile(c.args.positional()[0]);
    if (!file) {
        c.prompter.message(file.error().text, file.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    auto dir = readPageDirectory(*file);
    if (!dir) {
        c.prompter.message(dir.error().text, dir.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    // The sprites' side and the sounds come from the same readers the editor uses.
    SpriteSet sprites;
    SoundSet sounds;
    InlineProgress quietProgress;
    if (dir->spriteCount() > 0)
        LoadSpritesWorker(*file, quietProgress, c.prompter, sprites);
    if (dir->soundStart < dir->chunkCount)
        LoadSoundsWorker(*file, quietProgress, c.prompter, sounds);
    const int side = sprites.side;
    if (c.json)
        c.out << "{\"chunkCount\":" << dir->chunkCount << ",\"spriteStart\":" << dir->spriteStart
              << ",\"soundStart\":" << dir->soundStart << ",\"spriteSide\":" << side
              << ",\"chunks\":[";
    else
        c.out << "chunks " << dir->chunkCount << ", sprites from " << dir->spriteStart
              << ", sounds from " << dir->soundStart << ", sprite side " << side << "\n";
    for (int i = 0; i < dir->chunkCount; ++i)
        printChunk(c, *dir, *file, i, side, i == 0);
    if (c.json)
        c.out << "],\"sounds\":[";
    for (int i = 0; i < sounds.count(); ++i) {
        const Sound& snd = sounds.sounds[size_t(i)];
        const std::string hash = fnv1aHex(snd.samples);
        if (c.json)
            c.out << (i ? "," : "") << "{\"index\":" << i << ",\"length\":" << snd.length
                  << ",\"absent\":" << (snd.absent ? "true" : "false") << ",\"hash\":\"" << hash
                  << "\"}";
        else
            c.out << "sound " << i << " length " << snd.length << (snd.absent ? " absent" : "")
                  << " hash " << hash << "\n";
    }
    if (c.json)
        c.out << "]}\n";
    return kExitDone;
}

int save(Context& c) {
    const char* use = "zentrik-cli vswap save IN OUT --walls|--sprites|--sounds "
                      "[--sprite-compression 0|1|2]";
    const auto& pos = c.args.positional();
    const int parts =
        int(c.args.flag("walls")) + int(c.args.flag("sprites")) + int(c.args.flag("sounds"));
    const auto compression = c.args.option("sprite-compression").value_or("1");
    if (pos.size() != 2 || parts != 1 ||
        (compression != "0" && compression != "1" && compression != "2"))
        return c.usage(use);
    const std::filesystem::path in = pos[0], out = pos[1];
    std::error_code ec;
    if (!std::filesystem::exists(out, ec)) {
        if (!std::filesystem::copy_file(in, out, ec)) {
            c.prompter.message(out.string(), "Cannot Write", MessageIcon::Error);
            return kExitNotDone;
        }
    }
    Session s(c);
    bool done = false;
    if (c.args.flag("walls"))
        done = s.files.LoadTextures(in) && s.files.SaveTextures(out);
    else if (c.args.flag("sprites"))
        done = s.files.LoadSprites(in) && s.files.SaveSprites(out, compression[0] - '0');
    else
        done = s.files.LoadSounds(in) && s.files.SaveSounds(out);
    return done ? kExitDone : kExitNotDone;
}

std::optional<int> indexArg(const std::string& text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    for (char ch : text)
        if (ch < '0' || ch > '9')
            return std::nullopt;
    return std::stoi(text);
}

bool loadPart(Session& s, bool walls, const std::string& path) {
    return walls ? s.files.LoadTextures(path) : s.files.LoadSprites(path);
}

std::optional<IndexedImage>* pictureOf(Session& s, bool walls, int n) {
    auto& images = walls ? s.files.walls.images : s.files.sprites.images;
    if (n < 0 || n >= int(images.size()))
        return nullptr;
    return &images[size_t(n)];
}

int exportPicture(Context& c, bool walls) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? indexArg(pos[1]) : std::nullopt;
    if (!n)
        return c.usage(
            walls ? "zentrik-cli vswap export-wall FILE N OUT.bmp|OUT.png [--palette P.pal]"
                  : "zentrik-cli vswap export-sprite FILE N OUT.bmp|OUT.png [--palette P.pal]");
    auto palette = paletteArg(c);
    Session s(c);
    if (!palette || !loadPart(s, walls, pos[0]))
        return kExitNotDone;
    auto* image = pictureOf(s, walls, *n);
    if (!image || !*image) {
        c.prompter.message(walls ? "This wall is empty!" : "This sprite is empty!", "Zentrik",
                           MessageIcon::Error);
        return kExitNotDone;
    }
    // The format follows the suffix: OUT.png writes a PNG, anything else a bitmap.
    return ExportPicture(ImageTarget(**image, !walls), pos[2], *palette, c.prompter, !walls)
               ? kExitDone
               : kExitNotDone;
}

int importPicture(Context& c, bool walls) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? indexArg(pos[1]) : std::nullopt;
    const int fits =
        int(c.args.flag("resample")) + int(c.args.flag("copy")) + int(c.args.flag("nearest"));
    if (!n || fits > 1)
        return c.usage(
            std::string("zentrik-cli vswap ") + (walls ? "import-wall" : "import-sprite") +
            " FILE N IN.bmp|IN.png [--nearest|--resample|--copy] [--yes] [--palette P.pal]");
    auto palette = paletteArg(c);
    Session s(c);
    if (!palette || !loadPart(s, walls, pos[0]))
        return kExitNotDone;
    auto* image = pictureOf(s, walls, *n);
    if (!image) {
        c.prompter.message(walls ? "This wall doesn't exist!" : "This sprite doesn't exist!",
                           "Zentrik", MessageIcon::Error);
        return kExitNotDone;
    }
    // An empty slot gets a fresh picture: black for a wall, transparent for a sprite.
    IndexedImage picture = *image ? **image
                                  : IndexedImage(walls ? s.files.walls.side : s.files.sprites.side,
                                                 walls ? 0 : TransparentIndex);
    ImageTarget target(picture, !walls);
    NearestColorTable colors(*palette);
    // --resample and --copy answer the resample question; --yes answers every other one.
    auto answers = resampleAnswers(c);
    if (!ImportBMP(target, pos[2], colors, answers, s.jobs))
        return kExitNotDone;
    if (walls)
        s.files.walls.setImage(*n, std::move(picture));
    else
        s.files.sprites.images[size_t(*n)] = std::move(picture);
    Settings settings;
    const bool saved = walls ? s.files.SaveTextures(pos[0])
                             : s.files.SaveSprites(pos[0], settings.spriteCompression);
    return saved ? kExitDone : kExitNotDone;
}

int exportAll(Context& c) {
    const auto& pos = c.args.positional();
    const std::string format = c.args.option("format").value_or("png");
    const bool walls = c.args.flag("walls"), sprites = c.args.flag("sprites");
    if (pos.size() != 2 || (walls && sprites) || (format != "png" && format != "bmp"))
        return c.usage("zentrik-cli vswap export-all FILE FOLDER [--walls|--sprites] "
                       "[--format png|bmp] [--palette P.pal]");
    auto palette = paletteArg(c);
    if (!palette || !exportFolder(c, pos[1]))
        return kExitNotDone;
    int written = 0;
    for (const bool wallKind : {true, false}) {
        if ((wallKind && sprites) || (!wallKind && walls))
            continue;
        Session s(c);
        if (!loadPart(s, wallKind, pos[0]))
            return kExitNotDone;
        auto& images = wallKind ? s.files.walls.images : s.files.sprites.images;
        for (size_t i = 0; i < images.size(); ++i) {
            if (!images[i])
                continue; // an empty page has no picture
            const auto out = std::filesystem::path(pos[1]) /
                             numberedName(wallKind ? "wall" : "sprite", int(i), 3, format);
            if (!ExportPicture(ImageTarget(*images[i], !wallKind), out, *palette, c.prompter,
                               !wallKind))
                return kExitNotDone;
            ++written;
        }
    }
    c.out << "Exported " << written << " pictures to " << pos[1] << "\n";
    return kExitDone;
}

int exportWall(Context& c) {
    return exportPicture(c, true);
}
int exportSprite(Context& c) {
    return exportPicture(c, false);
}
int importWall(Context& c) {
    return importPicture(c, true);
}
int importSprite(Context& c) {
    return importPicture(c, false);
}

// --rate, validated like the sound page's field; 7042 when not given.
std::optional<int> rateArg(Context& c) {
    auto text = c.args.option("rate");
    if (!text)
        return kDefaultSampleRate;
    return checkSampleRate(*text, c.prompter);
}

int exportSound(Context& c) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? indexArg(pos[1]) : std::nullopt;
    if (!n)
        return c.usage("zentrik-cli vswap export-sound FILE N OUT.wav [--rate HZ]");
    const auto rate = rateArg(c);
    Session s(c);
    if (!rate || !s.files.LoadSounds(pos[0]))
        return kExitNotDone;
    if (*n >= s.files.sounds.count()) {
        c.prompter.message("This sound doesn't exist!", "Zentrik", MessageIcon::Error);
        return kExitNotDone;
    }
    return exportSound(s.files.sounds.sounds[size_t(*n)], pos[2], *rate, c.prompter) ? kExitDone
                                                                                     : kExitNotDone;
}

int importSoundVerb(Context& c) {
    const auto& pos = c.args.positional();
    const auto n = pos.size() == 3 ? indexArg(pos[1]) : std::nullopt;
    if (!n)
        return c.usage("zentrik-cli vswap import-sound FILE N IN.wav [--rate HZ] [--yes]");
    const auto rate = rateArg(c);
    Session s(c);
    if (!rate || !s.files.LoadSounds(pos[0]))
        return kExitNotDone;
    if (*n >= std::max(1, s.files.sounds.count())) {
        c.prompter.message("This sound doesn't exist!", "Zentrik", MessageIcon::Error);
        return kExitNotDone;
    }
    auto wav = readWholeFile(pos[2]);
    if (!wav) {
        c.prompter.message(pos[2], "Couldn't open file:", MessageIcon::Exclamation);
        return kExitNotDone;
    }
    if (!importSound(s.files.sounds, *n, *wav, *rate, c.prompter))
        return kExitNotDone;
    return s.files.SaveSounds(pos[0]) ? kExitDone : kExitNotDone;
}

int hires(Context& c) {
    const auto& pos = c.args.positional();
    const bool walls = c.args.flag("walls"), sprites = c.args.flag("sprites");
    const int modes =
        int(c.args.flag("blend")) + int(c.args.flag("stretch")) + int(c.args.flag("shrink"));
    if (pos.size() != 1 || walls == sprites || modes != 1)
        return c.usage("zentrik-cli vswap hires FILE --walls|--sprites --blend|--stretch|--shrink "
                       "[--palette P.pal]");
    const ResolutionChange change = c.args.flag("blend")     ? ResolutionChange::Blend
                                    : c.args.flag("stretch") ? ResolutionChange::Stretch
                                                             : ResolutionChange::Shrink;
    auto palette = paletteArg(c);
    Session s(c);
    if (!palette || !loadPart(s, walls, pos[0]))
        return kExitNotDone;
    NearestColorTable colors(*palette);
    const int side = walls ? s.files.walls.side : s.files.sprites.side;
    if ((change == ResolutionChange::Shrink) != (side == kHighSide)) {
        c.prompter.message(side == kHighSide ? "The set is already 128x128."
                                             : "The set is already 64x64.",
                           "Zentrik", MessageIcon::Error);
        return kExitNotDone;
    }
    int code = 0;
    if (walls) {
        WallSet out;
        code = s.jobs.run([&](Progress& p) {
            return ChangeWallResolutionWorker(s.files.walls, change, *palette, colors, p, out);
        });
        if (code == JobResult::Done)
            s.files.walls = std::move(out);
    } else {
        SpriteSet out;
        code = s.jobs.run([&](Progress& p) {
            return ChangeSpriteResolutionWorker(s.files.sprites, change, *palette, colors, p, out);
        });
        if (code == JobResult::Done)
            s.files.sprites = std::move(out);
    }
    if (code != JobResult::Done)
        return kExitNotDone;
    Settings settings;
    const bool saved = walls ? s.files.SaveTextures(pos[0])
                             : s.files.SaveSprites(pos[0], settings.spriteCompression);
    return saved ? kExitDone : kExitNotDone;
}

const AreaRegistration kVswap{
    Area{"vswap",
         "the page file VSWAP: walls, sprites and digitized sounds",
         {
             {"info",
              "FILE [--json]",
              "header and every chunk (kind, offset, length, hash; sprites with their columns and "
              "the hash of the decoded image), then every sound",
              info,
              {}},
             {"save",
              "IN OUT --walls|--sprites|--sounds [--sprite-compression 0|1|2]",
              "load one part from IN and save it into OUT (a copy of IN when OUT does not exist)",
              save,
              {"sprite-compression"}},
             {"export-wall",
              "FILE N OUT.bmp|OUT.png [--palette P.pal]",
              "write wall N as an 8-bit bitmap with the palette",
              exportWall,
              {"palette"}},
             {"export-sprite",
              "FILE N OUT.bmp|OUT.png [--palette P.pal]",
              "write sprite N as an 8-bit bitmap with the palette",
              exportSprite,
              {"palette"}},
             {"export-all",
              "FILE FOLDER [--walls|--sprites] [--format png|bmp] [--palette P.pal]",
              "write every wall as wall-NNN and every sprite as sprite-NNN (by number, empty "
              "pages skipped) into FOLDER",
              exportAll,
              {"format", "palette"}},
             {"import-wall",
              "FILE N IN.bmp|IN.png [--nearest|--resample|--copy] [--yes] [--palette P.pal]",
              "convert a bitmap into wall N and save the walls into FILE",
              importWall,
              {"palette"}},
             {"import-sprite",
              "FILE N IN.bmp|IN.png [--nearest|--resample|--copy] [--yes] [--palette P.pal]",
              "convert a bitmap into sprite N and save the sprites into FILE",
              importSprite,
              {"palette"}},
             {"export-sound",
              "FILE N OUT.wav [--rate HZ]",
              "write sound N as an 8-bit mono WAV file (rate 7042 unless given)",
              exportSound,
              {"rate"}},
             {"import-sound",
              "FILE N IN.wav [--rate HZ] [--yes]",
              "convert a WAV file into sound N and save the sounds into FILE",
              importSoundVerb,
              {"rate"}},
             {"hires",
              "FILE --walls|--sprites --blend|--stretch|--shrink [--palette P.pal]",
              "change all walls or sprites between 64x64 and 128x128 and save them into FILE",
              hires,
              {"palette"}},
         }}};

} // namespace

} // namespace zentrik::cli
