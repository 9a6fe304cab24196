#include "world/SymbolStrip.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace zentrik {

namespace {

constexpr uint16_t kBmpType = 0x4D42;
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint32_t kPixelsPerMetre = 1;
constexpr uint16_t kDepth16 = 16;
constexpr uint16_t kDepth24 = 24;

const Error kNotAStrip{"The symbols for walls/objects/floors won't be correct!",
                       "Zentrik: Symbols.bmp not available!"};

uint16_t to555(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

} // namespace

Symbol SymbolStrip::symbol(int index) const {
    Symbol s{};
    const int x0 = (index % kSymbolsPerRow) * kSymbolSize;
    const int y0 = (index / kSymbolsPerRow % 16) * kSymbolSize;
    for (int y = 0; y < kSymbolSize; ++y)
        for (int x = 0; x < kSymbolSize; ++x)
            s[size_t(y * kSymbolSize + x)] = pixel(x0 + x, y0 + y);
    return s;
}

void SymbolStrip::setSymbol(int index, const Symbol& s) {
    const int x0 = (index % kSymbolsPerRow) * kSymbolSize;
    const int y0 = (index / kSymbolsPerRow % 16) * kSymbolSize;
    for (int y = 0; y < kSymbolSize; ++y)
        for (int x = 0; x < kSymbolSize; ++x)
            setPixel(x0 + x, y0 + y, s[size_t(y * kSymbolSize + x)]);
}

Result<SymbolStrip> SymbolStrip::decodeBmp(std::span<const uint8_t> bmp) {
    ByteReader in(bmp);
    auto type = in.u16();
    in.skip(8);
    auto offset = in.u32();
    auto infoSize = in.u32();
    auto width = in.i32();
    auto height = in.i32();
    in.skip(2);
    auto depth = in.u16();
    auto compression = in.u32();
    if (!type || *type != kBmpType || !compression || *compression != 0 || *width != kStripWidth ||
        (*height != kStripHeight && *height != -kStripHeight) ||
        (*depth != kDepth16 && *depth != kDepth24) || *infoSize < kInfoHeaderBytes)
        return kNotAStrip;
    const size_t bytesPerPixel = *depth / 8;
    const size_t stride = (kStripWidth * bytesPerPixel + 3) / 4 * 4;
    if (!in.seek(*offset) || stride * kStripHeight > in.remaining())
        return kNotAStrip;
    SymbolStrip strip;
    const bool bottomUp = *height > 0;
    for (int row = 0; row < kStripHeight; ++row) {
        const uint8_t* p = bmp.data() + *offset + size_t(row) * stride;
        const int y = bottomUp ? kStripHeight - 1 - row : row;
        for (int x = 0; x < kStripWidth; ++x, p += bytesPerPixel)
            strip.setPixel(x, y,
                           *depth == kDepth16 ? uint16_t(loadLe16(p) & 0x7FFF)
                                              : to555(p[2], p[1], p[0]));
    }
    return strip;
}

std::vector<uint8_t> SymbolStrip::encodeBmp() const {
    ByteWriter out(kStripBmpBytes);
    out.u16(kBmpType);
    out.u32(uint32_t(kStripBmpBytes));
    out.u32(0);
    out.u32(kPixelOffset);
    out.u32(kInfoHeaderBytes);
    out.i32(kStripWidth);
    out.i32(kStripHeight);
    out.u16(1);
    out.u16(kDepth16);
    out.u32(0); // no compression
    out.u32(0); // image size
    out.u32(kPixelsPerMetre);
    out.u32(kPixelsPerMetre);
    out.u32(0);
    out.u32(0);
    for (int y = kStripHeight - 1; y >= 0; --y)
        for (int x = 0; x < kStripWidth; ++x)
            out.u16(pixel(x, y));
    return out.take();
}

} // namespace zentrik
