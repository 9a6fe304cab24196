// codec: the map codecs over raw files, each stream without a length word in front.
#include "CliArea.h"

#include "io/SafeFile.h"
#include "io/TextNumbers.h"
#include "maps/Carmack.h"
#include "maps/Rlew.h"

#include <cctype>
#include <ostream>

namespace zentrik::cli {

namespace {

constexpr uint64_t kMaxExpandedBytes = 64u * 1024 * 1024;

bool isHex(const std::string& s) {
    std::string t = s;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t = t.substr(2);
    if (t.empty())
        return false;
    for (char c : t)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

std::optional<uint32_t> hexOption(Context& c, const char* name, uint32_t def, uint32_t max) {
    auto v = c.args.option(name);
    if (!v)
        return def;
    if (!isHex(*v) || parseHex(*v) > max)
        return std::nullopt;
    return parseHex(*v);
}

std::optional<uint64_t> lengthOption(Context& c) {
    auto v = c.args.option("length");
    if (!v || v->empty())
        return std::nullopt;
    for (char ch : *v)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return std::nullopt;
    if (v->size() > 12)
        return std::nullopt;
    const uint64_t n = std::stoull(*v);
    if (n > kMaxExpandedBytes)
        return std::nullopt;
    return n;
}

// Reads IN, runs fn, writes OUT safely; messages as the program would show them.
template <class Fn> int transform(Context& c, Fn fn) {
    const auto& pos = c.args.positional();
    auto in = readWholeFile(pos[0]);
    if (!in) {
        c.prompter.message(in.error().text, in.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    const std::vector<uint8_t> out = fn(*in);
    if (auto st = replaceFile(pos[1], out); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Error);
        return kExitNotDone;
    }
    if (c.json)
        c.out << "{\"in\":" << in->size() << ",\"out\":" << out.size() << "}\n";
    return kExitDone;
}

std::vector<uint16_t> bytesToWords(const std::vector<uint8_t>& b) {
    std::vector<uint16_t> w((b.size() + 1) / 2, 0);
    for (size_t i = 0; i < b.size(); ++i)
        w[i / 2] |= uint16_t(b[i] << ((i & 1) * 8));
    return w;
}

std::vector<uint8_t> wordsToBytes(const std::vector<uint16_t>& w, size_t bytes) {
    std::vector<uint8_t> b(bytes, 0);
    for (size_t i = 0; i < bytes && i / 2 < w.size(); ++i)
        b[i] = uint8_t(w[i / 2] >> ((i & 1) * 8));
    return b;
}

int rlewCompress(Context& c) {
    const char* use = "zentrik-cli codec rlew-compress IN OUT [--tag HEX]";
    auto tag = hexOption(c, "tag", kDefaultRlewTag, 0xFFFF);
    if (c.args.positional().size() != 2 || !tag)
        return c.usage(use);
    return transform(c, [&](const std::vector<uint8_t>& in) {
        return CompressRlew(bytesToWords(in), uint16_t(*tag));
    });
}

int rlewExpand(Context& c) {
    const char* use = "zentrik-cli codec rlew-expand IN OUT --length BYTES [--tag HEX]";
    auto tag = hexOption(c, "tag", kDefaultRlewTag, 0xFFFF);
    auto length = lengthOption(c);
    if (c.args.positional().size() != 2 || !tag || !length)
        return c.usage(use);
    return transform(c, [&](const std::vector<uint8_t>& in) {
        std::vector<uint16_t> dst((*length + 1) / 2, 0);
        ExpandRlew(in, std::span(dst).first(*length / 2), uint16_t(*tag));
        return wordsToBytes(dst, *length);
    });
}

int carmackCompress(Context& c) {
    const char* use = "zentrik-cli codec carmack-compress IN OUT [--mode 0|1]";
    auto mode = c.args.option("mode").value_or("0");
    if (c.args.positional().size() != 2 || (mode != "0" && mode != "1"))
        return c.usage(use);
    return transform(c, [&](const std::vector<uint8_t>& in) {
        return CompressCarmack(in, carmackModeFromSetting(mode == "0" ? 0 : 1));
    });
}

int carmackExpand(Context& c) {
    const char* use =
        "zentrik-cli codec carmack-expand IN OUT --length BYTES [--near HEX] [--far HEX]";
    auto nearTag = hexOption(c, "near", kNearTag, 0xFF);
    auto farTag = hexOption(c, "far", kFarTag, 0xFF);
    auto length = lengthOption(c);
    if (c.args.positional().size() != 2 || !nearTag || !farTag || !length)
        return c.usage(use);
    return transform(c, [&](const std::vector<uint8_t>& in) {
        std::vector<uint16_t> dst((*length + 1) / 2, 0);
        ExpandCarmack(in, std::span(dst).first(*length / 2), uint8_t(*nearTag), uint8_t(*farTag));
        return wordsToBytes(dst, *length);
    });
}

const AreaRegistration kCodec{Area{"codec",
                                   "the RLEW and Carmack codecs of the map files, over raw streams",
                                   {
                                       {"rlew-compress",
                                        "IN OUT [--tag HEX]",
                                        "RLEW-compress IN (default tag ABCD)",
                                        rlewCompress,
                                        {"tag"}},
                                       {"rlew-expand",
                                        "IN OUT --length BYTES [--tag HEX]",
                                        "expand RLEW data into exactly BYTES bytes",
                                        rlewExpand,
                                        {"tag", "length"}},
                                       {"carmack-compress",
                                        "IN OUT [--mode 0|1]",
                                        "Carmack-compress IN; mode 0 Compatible, 1 Best Result",
                                        carmackCompress,
                                        {"mode"}},
                                       {"carmack-expand",
                                        "IN OUT --length BYTES [--near HEX] [--far HEX]",
                                        "expand Carmack data into exactly BYTES bytes",
                                        carmackExpand,
                                        {"length", "near", "far"}},
                                   }}};

} // namespace

} // namespace zentrik::cli
