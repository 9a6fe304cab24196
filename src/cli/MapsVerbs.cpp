// maps: the map archive (MAPHEAD + GAMEMAPS/MAPTEMP) and single levels.
#include "CliArea.h"
#include "CliCommon.h"
#include "LevelCheckVerbs.h"
#include "Render3dVerb.h"

#include "app/Settings.h"
#include "io/SafeFile.h"
#include "io/TextNumbers.h"
#include "maps/LevelSetEditor.h"
#include "maps/MapArchiveFiles.h"
#include "maps/MapFile.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ostream>

namespace zentrik::cli {

namespace {

// SHA-256 of a byte string, for fingerprints of expanded planes that other tools can compare.
class Sha256 {
public:
    std::string hex(const std::vector<uint8_t>& data) {
        std::vector<uint8_t> m = data;
        const uint64_t bits = uint64_t(data.size()) * 8;
        m.push_back(0x80);
        while (m.size() % 64 != 56)
            m.push_back(0);
        for (int i = 7; i >= 0; --i)
            m.push_back(uint8_t(bits >> (i * 8)));
        for (size_t off = 0; off < m.size(); off += 64)
            block(&m[off]);
        std::string out;
        char buf[9];
        for (uint32_t v : m_h) {
            std::snprintf(buf, sizeof buf, "%08x", v);
            out += buf;
        }
        return out;
    }

private:
    static uint32_t rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }
    void block(const uint8_t* p) {
        static constexpr std::array<uint32_t, 64> k{
            0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
            0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
            0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
            0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
            0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
            0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
            0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
            0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
            0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
            0xc67178f2};
        std::array<uint32_t, 64> w{};
        for (int i = 0; i < 16; ++i)
            w[size_t(i)] = uint32_t(p[4 * i] << 24) | uint32_t(p[4 * i + 1] << 16) |
                           uint32_t(p[4 * i + 2] << 8) | p[4 * i + 3];
        for (size_t i = 16; i < 64; ++i) {
            const uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::array<uint32_t, 8> v = m_h;
        for (size_t i = 0; i < 64; ++i) {
            const uint32_t s1 = rotr(v[4], 6) ^ rotr(v[4], 11) ^ rotr(v[4], 25);
            const uint32_t ch = (v[4] & v[5]) ^ (~v[4] & v[6]);
            const uint32_t t1 = v[7] + s1 + ch + k[i] + w[i];
            const uint32_t s0 = rotr(v[0], 2) ^ rotr(v[0], 13) ^ rotr(v[0], 22);
            const uint32_t maj = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
            for (size_t j = 7; j > 0; --j)
                v[j] = v[j - 1];
            v[4] += t1;
            v[0] = t1 + s0 + maj;
        }
        for (size_t i = 0; i < 8; ++i)
            m_h[i] += v[i];
    }
    std::array<uint32_t, 8> m_h{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
};

std::vector<uint8_t> planeBytes(const Plane& p) {
    std::vector<uint8_t> b(p.size() * 2);
    for (size_t i = 0; i < p.size(); ++i) {
        b[2 * i] = uint8_t(p[i]);
        b[2 * i + 1] = uint8_t(p[i] >> 8);
    }
    return b;
}

// One loaded set with everything the map files need around it.
struct Session {
    explicit Session(Context& c)
        : editor(set, c.prompter),
          files(editor, settings, MapFileServices{c.prompter, jobs, quiet, clock, {}}) {}
    bool load(const std::string& path) { return files.loadMaps(MapFileName::split(path)); }

    LevelSet set;
    LevelSetEditor editor;
    Settings settings;
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    MapArchiveFiles files;
};

int info(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli maps info GAMEMAPS.x [--json]");
    Session s(c);
    if (!s.load(c.args.positional()[0]))
        return kExitNotDone;
    char tag[8];
    std::snprintf(tag, sizeof tag, "%04X", unsigned(s.set.rlewTag));
    const int planes = s.set.thirdPlane ? 3 : 2;
    if (c.json)
        c.out << "{\"tag\":\"" << tag << "\",\"carmack\":" << (s.set.carmack ? "true" : "false")
              << ",\"thirdPlane\":" << (s.set.thirdPlane ? "true" : "false")
              << ",\"featureFlags\":" << (s.set.featureFlags ? "true" : "false")
              << ",\"levelCount\":" << s.set.levelCount() << ",\"levels\":[";
    else
        c.out << "tag " << tag << ", " << s.set.levelCount() << " levels"
              << (s.set.carmack ? ", Carmack" : ", RLEW only")
              << (s.set.thirdPlane ? ", third plane" : "")
              << (s.set.featureFlags ? ", feature flags" : "") << "\n";
    for (int i = 0; i < s.set.levelCount(); ++i) {
        const Level& l = s.set.levels[size_t(i)];
        if (c.json)
            c.out << (i ? "," : "") << "{\"index\":" << i
                  << ",\"name\":" << jsonText(l.header.nameText())
                  << ",\"width\":" << l.header.width << ",\"height\":" << l.header.height
                  << ",\"planes\":[";
        else
            c.out << i << " \"" << escapedText(l.header.nameText()) << "\" " << l.header.width
                  << "x" << l.header.height << "\n";
        for (int p = 0; p < planes; ++p) {
            const std::string sha = Sha256().hex(planeBytes(l.planes[size_t(p)]));
            const unsigned length = l.header.planeLength[size_t(p)];
            if (c.json)
                c.out << (p ? "," : "") << "{\"length\":" << length << ",\"sha256\":\"" << sha
                      << "\"}";
            else
                c.out << "  plane " << p << " length " << length << " sha256 " << sha << "\n";
        }
        if (c.json)
            c.out << "]}";
    }
    if (c.json)
        c.out << "]}\n";
    // A damaged file was read as far as it goes (and said so on stderr); not done.
    return s.files.damagedParts().empty() ? kExitDone : kExitNotDone;
}

int save(Context& c) {
    const char* use = "zentrik-cli maps save IN OUT [--compress as-expanded|enable|disable] "
                      "[--mode compatible|best] [--third-plane] [--feature-flags]";
    const std::string compress = c.args.option("compress").value_or("as-expanded");
    const std::string mode = c.args.option("mode").value_or("compatible");
    const int compressSetting = compress == "as-expanded" ? 0
                                : compress == "enable"    ? 1
                                : compress == "disable"   ? 2
                                                          : -1;
    if (c.args.positional().size() != 2 || compressSetting < 0 ||
        (mode != "compatible" && mode != "best"))
        return c.usage(use);
    Session s(c);
    if (!s.load(c.args.positional()[0]))
        return kExitNotDone;
    if (c.args.flag("third-plane") && !s.set.thirdPlane)
        s.editor.setThirdPlane(true);
    if (c.args.flag("feature-flags"))
        s.editor.setFeatureFlagsEnabled(true);
    s.settings.carmackCompress = compressSetting;
    s.settings.carmackMode = mode == "best" ? 1 : 0;
    const int before = c.prompter.messageCount();
    if (!s.files.saveMaps(c.args.positional()[1]) || c.prompter.messageCount() != before)
        return kExitNotDone;
    if (c.json)
        c.out << "{\"levels\":" << s.set.levelCount()
              << ",\"carmack\":" << (s.set.carmack ? "true" : "false") << "}\n";
    return kExitDone;
}

std::optional<int> number(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->size() > 6)
        return std::nullopt;
    for (char ch : *text)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return std::nullopt;
    return parseDecimal(*text);
}

int dump(Context& c) {
    const char* use = "zentrik-cli maps dump IN --level N --plane P OUT";
    const auto level = number(c.args.option("level"));
    const auto plane = number(c.args.option("plane"));
    if (c.args.positional().size() != 2 || !level || !plane || *plane > 2)
        return c.usage(use);
    Session s(c);
    if (!s.load(c.args.positional()[0]))
        return kExitNotDone;
    if (*level >= s.set.levelCount()) {
        c.prompter.message("This level doesn't exist!", "Error", MessageIcon::Error);
        return kExitNotDone;
    }
    const Plane& p = s.set.levels[size_t(*level)].planes[size_t(*plane)];
    if (p.empty()) {
        c.prompter.message("The set has no third plane.", "Zentrik", MessageIcon::Error);
        return kExitNotDone;
    }
    if (auto st = replaceFile(c.args.positional()[1], planeBytes(p)); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    return kExitDone;
}

// Loads IN and makes level N current; nothing when either fails.
std::optional<int> loadLevel(Session& s, const std::string& in, const std::string& n) {
    const auto level = number(std::optional<std::string>(n));
    if (!s.load(in))
        return std::nullopt;
    if (!level || !s.editor.setCurrentMap(*level))
        return std::nullopt;
    return *level;
}

int exportLevel(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 3 || !number(pos[1]))
        return c.usage("zentrik-cli maps export-level IN N OUT.MAP");
    Session s(c);
    if (!loadLevel(s, pos[0], pos[1]))
        return kExitNotDone;
    return exportMap(s.set, pos[2], c.prompter) ? kExitDone : kExitNotDone;
}

int importLevel(Context& c) {
    const auto& pos = c.args.positional();
    if (pos.size() != 4 || !number(pos[1]))
        return c.usage("zentrik-cli maps import-level IN N FILE.MAP OUT");
    Session s(c);
    if (!loadLevel(s, pos[0], pos[1]) || !importMap(s.editor, pos[2], c.prompter))
        return kExitNotDone;
    const int before = c.prompter.messageCount();
    if (!s.files.saveMaps(pos[3]) || c.prompter.messageCount() != before)
        return kExitNotDone;
    return kExitDone;
}

const AreaRegistration kMaps{
    Area{"maps",
         "the map archive: MAPHEAD with GAMEMAPS or MAPTEMP, and single levels",
         {
             {"info",
              "GAMEMAPS.x [--json]",
              "tag, level count, and per level its name, size, plane lengths and SHA-256 of each "
              "expanded plane",
              info,
              {}},
             {"save",
              "IN OUT [--compress as-expanded|enable|disable] [--mode compatible|best] "
              "[--third-plane] [--feature-flags]",
              "read IN with its MAPHEAD and write OUT with MAPHEAD beside it",
              save,
              {"compress", "mode"}},
             {"dump",
              "IN --level N --plane P OUT",
              "write the 8192 raw bytes of one expanded plane",
              dump,
              {"level", "plane"}},
             {"export-level",
              "IN N OUT.MAP",
              "write level N (from 0) as a single-level .MAP file",
              exportLevel,
              {}},
             {"import-level",
              "IN N FILE.MAP OUT",
              "replace level N with a .MAP file and write the set as OUT with MAPHEAD beside it",
              importLevel,
              {}},
             {"render-3d",
              "GAMEMAPS.x LEVEL X Y ANGLE OUT.png|OUT.bmp [--vswap VSWAP.x] [--floor-mode 0..3] "
              "[--palette FILE] [--size WxH]",
              "draw level LEVEL (from 0) as the 3D view sees it from X Y (tiles, 30.5 is the "
              "middle of cell 30) looking ANGLE degrees (0 along +x, 90 along -y), 600x375 "
              "or as large as --size asks",
              render3d,
              {"vswap", "floor-mode", "palette", "size"}},
             {"check",
              "GAMEMAPS.x|MAPTEMP.x [LEVEL] [--profile dos|unlimited] [--json]",
              "what would crash or spoil each level (or level LEVEL, from 0) in the engine; "
              "exit 1 when any error is found",
              checkMaps,
              {"profile"}},
             {"render-2d",
              "GAMEMAPS.x LEVEL OUT.png [--vswap VSWAP.x] [--cell N] [--skill 1..4] "
              "[--problems] [--profile dos|unlimited] [--palette FILE]",
              "draw level LEVEL (from 0) from above: wall textures, doors and object sprites, N "
              "pixels a cell (16), the objects of one skill (4), and with --problems each problem "
              "of the level check marked on its cell with a legend",
              render2d,
              {"vswap", "cell", "skill", "profile", "palette"}},
         }}};

} // namespace

} // namespace zentrik::cli
