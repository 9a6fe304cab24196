#include "imaging/Palette.h"

#include "io/ByteReader.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

namespace {

constexpr uint16_t kBmpType = 0x4D42; // "BM"
constexpr size_t kBmpFileHeaderBytes = 14;
constexpr size_t kBmpInfoHeaderBytes = 40;
constexpr size_t kInfoDepthOffset = 14;
constexpr size_t kInfoCompressionOffset = 16;
constexpr size_t kBmpColourBytes = 4;
constexpr int kMaxPalettedDepth = 8;
constexpr int kEntriesPerLine = 4;
constexpr int kChannelDivisor = 4;

const Error kNotABitmap{"Not a bitmap!", "File format error!"};

} // namespace

std::vector<uint8_t> palFileBytes(const GamePalette& palette) {
    std::vector<uint8_t> out;
    out.reserve(kPaletteFileBytes);
    for (const Rgb& c : palette.entries) {
        out.push_back(c.r);
        out.push_back(c.g);
        out.push_back(c.b);
    }
    return out;
}

bool readPalBytes(std::span<const uint8_t> bytes, GamePalette& palette) {
    const size_t n = std::min(bytes.size(), kPaletteFileBytes);
    for (size_t i = 0; i < n; ++i) {
        Rgb& c = palette.entries[i / 3];
        (i % 3 == 0 ? c.r : i % 3 == 1 ? c.g : c.b) = bytes[i];
    }
    return bytes.size() >= kPaletteFileBytes;
}

Status importPalPalette(std::span<const uint8_t> bytes, GamePalette& palette) {
    if (!readPalBytes(bytes, palette))
        return Error{"The given file is not a valid Zentrik palette file!",
                     "Unable to import palette!"};
    return {};
}

Status importBmpPalette(std::span<const uint8_t> bmp, GamePalette& palette) {
    ByteReader in(bmp);
    auto type = in.u16();
    if (!type || *type != kBmpType || !in.seek(kBmpFileHeaderBytes))
        return kNotABitmap;
    auto info = in.bytes(kBmpInfoHeaderBytes);
    if (!info)
        return kNotABitmap;
    const uint32_t infoSize = loadLe32(info->data());
    const int depth = loadLe16(info->data() + kInfoDepthOffset);
    if (loadLe32(info->data() + kInfoCompressionOffset) != 0)
        return Error{"Sorry, but compressed bitmaps aren't supported!\nPlease save as "
                     "uncompressed bitmap.",
                     "Unsupported file format"};
    if (infoSize > kBmpInfoHeaderBytes && !in.skip(infoSize - kBmpInfoHeaderBytes))
        return kNotABitmap;
    if (depth < 1 || depth > kMaxPalettedDepth)
        return Error{"The bitmap does not contain a palette!", "Unable to import palette!"};
    const size_t count = size_t(1) << depth;
    auto table = in.bytes(count * kBmpColourBytes);
    if (!table) // a cut colour table: take nothing rather than half a palette
        return kNotABitmap;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = table->data() + i * kBmpColourBytes;
        palette.entries[i] = Rgb{e[2], e[1], e[0]};
    }
    return {};
}

std::string paletteSourceText(const GamePalette& palette, bool gamepalArray) {
    std::string out;
    char buf[32];
    if (gamepalArray)
        out += "unsigned char gamepal[768]={\r\n";
    for (int i = 0; i < kPaletteEntries; ++i) {
        const Rgb& c = palette.entries[size_t(i)];
        const int r = c.r / kChannelDivisor, g = c.g / kChannelDivisor, b = c.b / kChannelDivisor;
        if (gamepalArray) {
            std::snprintf(buf, sizeof buf, "%3i,%3i,%3i,", r, g, b);
        } else {
            std::snprintf(buf, sizeof buf, "RGB(%3i,%3i,%3i)", r, g, b);
            out += buf;
            std::snprintf(buf, sizeof buf, "%s", i + 1 < kPaletteEntries ? "," : "\r\n");
        }
        out += buf;
        if (i % kEntriesPerLine == kEntriesPerLine - 1)
            out += "\r\n";
    }
    if (gamepalArray)
        out += "};\r\n";
    return out;
}

Rgb changeColor(Rgb c, int all, int dr, int dg, int db, bool grey) {
    const int m = (c.r + c.g + c.b) / 3;
    auto channel = [&](int base, int d) {
        return uint8_t(std::clamp((grey ? m : base) + d + all, 0, 255));
    };
    return Rgb{channel(c.r, dr), channel(c.g, dg), channel(c.b, db)};
}

Status ripPalette(const std::optional<std::vector<Rgb>>& clipboard, GamePalette& palette) {
    if (!clipboard || clipboard->empty())
        return Error{"No screenshot with palette information found in clipboard", "Zentrik"};
    const size_t n = std::min(clipboard->size(), size_t(kPaletteEntries));
    std::copy_n(clipboard->begin(), n, palette.entries.begin());
    return {};
}

} // namespace zentrik
