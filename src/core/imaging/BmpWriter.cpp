#include "imaging/BmpWriter.h"

#include "imaging/BmpReader.h"
#include "io/ByteWriter.h"
#include "io/SafeFile.h"

namespace zentrik {

namespace {
constexpr uint16_t kPlanes = 1;
constexpr uint16_t kDepth8 = 8;
} // namespace

std::vector<uint8_t> bmp8Bytes(const BmpTarget& picture, const GamePalette& palette) {
    const int w = picture.width(), h = picture.height();
    const size_t stride = bmpStride(w, kDepth8);
    ByteWriter out(kBmp8HeaderBytes + stride * size_t(h));
    out.text("BM");
    out.u32(uint32_t(kBmp8HeaderBytes + stride * size_t(h)));
    out.u32(0);
    out.u32(uint32_t(kBmp8HeaderBytes));
    out.u32(uint32_t(kBmpInfoHeaderBytes));
    out.i32(w);
    out.i32(h);
    out.u16(kPlanes);
    out.u16(kDepth8);
    out.u32(0); // no compression
    out.u32(0); // image size
    out.u32(0); // resolution
    out.u32(0);
    out.u32(uint32_t(kPaletteEntries)); // colours used
    out.u32(0);                         // important colours
    for (const Rgb& c : palette.entries) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    for (int r = 0; r < h; ++r) {
        const int y = h - 1 - r;
        for (int x = 0; x < w; ++x)
            out.u8(picture.getPixel(x, y));
        out.fill(stride - size_t(w));
    }
    return out.take();
}

bool ExportBMP(const BmpTarget& picture, const std::filesystem::path& path,
               const GamePalette& palette, Prompter& prompter) {
    if (auto st = replaceFile(path, bmp8Bytes(picture, palette)); !st) {
        prompter.message(failureText(path, st.error()),
                         "CDrawDevice::ExportBMP: Cannot open file:", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace zentrik
