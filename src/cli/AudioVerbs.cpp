// audio: the songs of an audio archive: listing, export, rebuild and offline rendering.
#include "CliArea.h"

#include "io/SafeFile.h"
#include "music/ImfPlayerBinding.h"
#include "music/ImfWriter.h"
#include "music/MusicDocument.h"
#include "music/OfflineRender.h"

#include <cctype>
#include <ostream>

namespace zentrik::cli {

namespace {

constexpr uint32_t kMinRate = 4000;
constexpr uint32_t kMaxRate = 192000;
constexpr uint32_t kMaxSeconds = 3600;

std::optional<uint64_t> number(const std::string& s, uint64_t max) {
    if (s.empty() || s.size() > 10)
        return std::nullopt;
    for (char ch : s)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return std::nullopt;
    const uint64_t v = std::stoull(s);
    return v <= max ? std::optional(v) : std::nullopt;
}

// Loads FILE and selects song N; messages go to the prompter.
bool openSong(Context& c, MusicDocument& doc, const std::string& file, const std::string& n) {
    if (!doc.LoadMusic(file, c.prompter))
        return false;
    auto index = number(n, 1000000);
    if (!index || *index >= uint64_t(doc.songCount())) {
        c.prompter.message("There is no song " + n + " (the archive has " +
                               std::to_string(doc.songCount()) + ", counted from 0)",
                           "zentrik-cli", MessageIcon::Exclamation);
        return false;
    }
    doc.selectSong(int(*index));
    return true;
}

int writeOut(Context& c, const std::string& path, std::span<const uint8_t> bytes) {
    if (auto st = replaceFile(path, bytes); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    if (c.json)
        c.out << "{\"bytes\":" << bytes.size() << "}\n";
    return kExitDone;
}

void printSong(Context& c, MusicDocument& doc, int s) {
    doc.selectSong(s);
    const Song& song = doc.musicSet().songs[size_t(s)];
    const SongModel& m = doc.model();
    if (c.json) {
        c.out << (s ? "," : "") << "{\"index\":" << s << ",\"name\":\"" << doc.songNameOf(s)
              << "\",\"chunk\":" << song.chunk << ",\"bytes\":" << song.length
              << ",\"ticks\":" << m.songLength << ",\"length\":\""
              << minutesSecondsText(m.songLength) << "\",\"notes\":[";
        for (int ch = 1; ch <= kModelChannels; ++ch)
            c.out << (ch > 1 ? "," : "") << m.notesOf(ch).size();
        c.out << "]}";
        return;
    }
    const std::string name = doc.songNameOf(s);
    c.out << "song " << s << (name.empty() ? "" : " " + name) << ": chunk " << song.chunk << ", "
          << song.length << " bytes, " << m.songLength << " ticks ("
          << minutesSecondsText(m.songLength) << "), notes";
    for (int ch = 1; ch <= kModelChannels; ++ch)
        c.out << " " << m.notesOf(ch).size();
    c.out << "\n";
}

int info(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli audio info AUDIOT.x [--json]");
    const std::string file = c.args.positional()[0];
    MusicDocument doc;
    if (!doc.LoadMusic(file, c.prompter))
        return kExitNotDone;
    auto head = readWholeFile(audioHeadPathFor(file));
    const size_t chunks = head ? std::max<size_t>(readAudioOffsets(*head).size(), 1) - 1 : 0;
    if (c.json)
        c.out << "{\"chunks\":" << chunks << ",\"songs\":[";
    else
        c.out << chunks << " chunks, " << doc.songCount() << " songs\n";
    for (int s = 0; s < doc.songCount(); ++s)
        printSong(c, doc, s);
    if (c.json)
        c.out << "]}\n";
    return kExitDone;
}

int exportImf(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 3)
        return c.usage("zentrik-cli audio export-imf AUDIOT.x N OUT.imf");
    MusicDocument doc;
    if (!openSong(c, doc, pos[0], pos[1]))
        return kExitNotDone;
    return writeOut(c, pos[2], doc.songBytes());
}

int rebuild(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 3)
        return c.usage("zentrik-cli audio rebuild AUDIOT.x N OUT.imf");
    MusicDocument doc;
    if (!openSong(c, doc, pos[0], pos[1]))
        return kExitNotDone;
    return writeOut(c, pos[2], buildImf(doc.model()).bytes);
}

int importImf(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 3)
        return c.usage("zentrik-cli audio import-imf AUDIOT.x N IN.imf|IN.wlf [--yes]");
    MusicDocument doc;
    if (!openSong(c, doc, pos[0], pos[1]))
        return kExitNotDone;
    auto file = readWholeFile(pos[2]);
    if (!file) {
        c.prompter.message(file.error().text, file.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    if (!doc.importSong(*doc.songIndex(), *file, pos[2], c.prompter) || !doc.saveMusic(c.prompter))
        return kExitNotDone;
    if (c.json)
        c.out << "{\"song\":" << *doc.songIndex() << ",\"bytes\":" << doc.songBytes().size()
              << "}\n";
    return kExitDone;
}

struct RenderOptions {
    uint32_t rate = kDefaultRenderRate;
    std::optional<uint32_t> seconds;
    std::vector<int> muted;
};

std::optional<RenderOptions> renderOptions(Context& c) {
    RenderOptions o;
    if (auto r = c.args.option("rate")) {
        auto v = number(*r, kMaxRate);
        if (!v || *v < kMinRate)
            return std::nullopt;
        o.rate = uint32_t(*v);
    }
    if (auto s = c.args.option("seconds")) {
        auto v = number(*s, kMaxSeconds);
        if (!v)
            return std::nullopt;
        o.seconds = uint32_t(*v);
    }
    return o;
}

int render(Context& c) {
    const char* use =
        "zentrik-cli audio render AUDIOT.x N OUT.wav [--seconds S] [--mute C ...] [--rate HZ]";
    const auto& pos = c.args.positional();
    auto opts = renderOptions(c);
    if (pos.size() < 3 || !opts)
        return c.usage(use);
    // "--mute 1 4 5" or "--mute 1 --mute 4": the option's values, and the channels that
    // follow the last --mute.
    const auto mutes = c.args.options("mute");
    if (pos.size() > 3 && mutes.empty())
        return c.usage(use);
    std::vector<std::string> channels(mutes.begin(), mutes.end());
    channels.insert(channels.end(), pos.begin() + 3, pos.end());
    for (const auto& text : channels) {
        auto ch = number(text, kOplChannels - 1);
        if (!ch)
            return c.usage(use);
        opts->muted.push_back(int(*ch));
    }
    MusicDocument doc;
    if (!openSong(c, doc, pos[0], pos[1]))
        return kExitNotDone;
    ImfPlayerBinding lib;
    if (!lib.load(c.prompter, ImfPlayerBinding::defaultCandidates()) || !lib.hasRenderer())
        return kExitNotDone;
    RenderRequest request{opts->rate,
                          opts->seconds ? uint64_t(*opts->seconds) * kImfTicksPerSecond
                                        : uint64_t(doc.model().songLength),
                          opts->muted};
    const auto samples = renderImf(lib.functions(), doc.imfData(), request);
    if (!samples)
        return kExitNotDone;
    return writeOut(c, pos[2], waveFile16(*samples, opts->rate));
}

const AreaRegistration kAudio{
    Area{"audio",
         "the songs of an audio archive (AUDIOT.x with AUDIOHED.x beside it); N counts from 0",
         {
             {"info",
              "AUDIOT.x [--json]",
              "chunk count; per song its chunk, bytes, length in ticks and m:ss, notes per channel",
              info,
              {}},
             {"export-imf",
              "AUDIOT.x N OUT.imf",
              "write song N as stored, with its length field",
              exportImf,
              {}},
             {"import-imf",
              "AUDIOT.x N IN.imf|IN.wlf",
              "replace song N by an IMF (type 0 or 1) or WLF file, keeping its name block, and "
              "save AUDIOT.x and AUDIOHED.x",
              importImf,
              {}},
             {"rebuild",
              "AUDIOT.x N OUT.imf",
              "rebuild song N from its notes and register lists",
              rebuild,
              {}},
             {"render",
              "AUDIOT.x N OUT.wav [--seconds S] [--mute C ...] [--rate HZ]",
              "render song N offline to 16-bit mono PCM through libimflib.so",
              render,
              {"seconds", "mute", "rate"}},
         }}};

} // namespace

} // namespace zentrik::cli
