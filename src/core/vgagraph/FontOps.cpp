#include "vgagraph/FontOps.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "vgagraph/VgaArchive.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr uint32_t kMaxLocation = 0xFFFF;

size_t locationAt(int code) {
    return kFontLocationsOffset + 2 * size_t(code);
}
size_t widthAt(int code) {
    return kFontWidthsOffset + size_t(code);
}

bool validFont(const std::vector<uint8_t>& font) {
    return font.size() >= kFontGlyphStart;
}

Error tooLarge(const char* caller) {
    return Error{"The font would be larger than its character locations can address!", caller};
}

} // namespace

int fontHeight(const std::vector<uint8_t>& font) {
    return validFont(font) ? loadLe16(font.data()) : 0;
}
int fontCharWidth(const std::vector<uint8_t>& font, int code) {
    return validFont(font) && code >= 0 && code < kFontChars ? font[widthAt(code)] : 0;
}
int fontCharLocation(const std::vector<uint8_t>& font, int code) {
    return validFont(font) && code >= 0 && code < kFontChars
               ? loadLe16(font.data() + locationAt(code))
               : 0;
}
bool fontCharPresent(const std::vector<uint8_t>& font, int code) {
    return fontCharLocation(font, code) != 0 && fontCharWidth(font, code) != 0;
}

Status SetCurWidth(std::vector<uint8_t>& font, int code, int width, Prompter& prompter) {
    constexpr const char* kCaller = "CFontDevice::SetCurWidth()";
    if (!validFont(font) || code < 0 || code >= kFontChars || width < 0 || width > 255)
        return Error{"There is no such character to change!", kCaller};
    const size_t h = size_t(fontHeight(font));
    size_t needed = kFontGlyphStart;
    for (int c = 0; c < kFontChars; ++c)
        needed += size_t(fontCharWidth(font, c)) * h;
    if (needed != font.size())
        prompter.message("neededsize!=fontsize!!", "", MessageIcon::None);
    // A character without a location has no pixels yet; its block goes to the end.
    size_t at = size_t(fontCharLocation(font, code));
    size_t oldWidth = size_t(fontCharWidth(font, code));
    if (at == 0) {
        at = font.size();
        oldWidth = 0;
    }
    if (at < kFontGlyphStart || oldWidth * h > font.size() - std::min(at, font.size()))
        return Error{"Character " + std::to_string(code) + " lies outside the font!", kCaller};
    const size_t oldBlock = oldWidth * h, newBlock = size_t(width) * h;
    std::vector<uint8_t> out(font.begin(), font.begin() + std::ptrdiff_t(at));
    for (size_t row = 0; row < h; ++row) {
        const auto rowStart = font.begin() + std::ptrdiff_t(at + row * oldWidth);
        const size_t keep = std::min(oldWidth, size_t(width));
        out.insert(out.end(), rowStart, rowStart + std::ptrdiff_t(keep));
        out.insert(out.end(), size_t(width) - keep, 0);
    }
    out.insert(out.end(), font.begin() + std::ptrdiff_t(at + oldBlock), font.end());
    for (int c = 0; c < kFontChars; ++c) {
        const size_t loc = loadLe16(out.data() + locationAt(c));
        if (c == code || loc <= at)
            continue;
        const size_t moved = loc + newBlock - oldBlock;
        if (moved > kMaxLocation)
            return tooLarge(kCaller);
        storeLe16(out.data() + locationAt(c), uint16_t(moved));
    }
    if (width > 0 && at > kMaxLocation)
        return tooLarge(kCaller);
    storeLe16(out.data() + locationAt(code), width == 0 ? 0 : uint16_t(at));
    out[widthAt(code)] = uint8_t(width);
    font = std::move(out);
    return {};
}

Status SetHeight(std::vector<uint8_t>& font, int height) {
    constexpr const char* kCaller = "CFontDevice::SetHeight()";
    if (!validFont(font) || height < 0 || height > 0xFFFF)
        return Error{"There is no font to change!", kCaller};
    const size_t h = size_t(height), h0 = size_t(fontHeight(font));
    size_t length = kFontGlyphStart;
    for (int c = 0; c < kFontChars; ++c)
        length += size_t(fontCharWidth(font, c)) * h;
    std::vector<uint8_t> out(length, 0);
    storeLe16(out.data(), uint16_t(height));
    size_t running = kFontGlyphStart;
    for (int c = 0; c < kFontChars; ++c) {
        const size_t w = size_t(fontCharWidth(font, c));
        const size_t copy = w * std::min(h, h0);
        out[widthAt(c)] = uint8_t(w);
        if (copy != 0) {
            if (running > kMaxLocation)
                return tooLarge(kCaller);
            const size_t from = size_t(fontCharLocation(font, c));
            // Pixels that the old chunk does not hold (no location, or cut short) stay 0.
            if (from >= kFontGlyphStart && from < font.size()) {
                const size_t n = std::min(copy, font.size() - from);
                std::copy_n(font.begin() + std::ptrdiff_t(from), n,
                            out.begin() + std::ptrdiff_t(running));
            }
            storeLe16(out.data() + locationAt(c), uint16_t(running));
        }
        running += w * h;
    }
    font = std::move(out);
    return {};
}

} // namespace zentrik
