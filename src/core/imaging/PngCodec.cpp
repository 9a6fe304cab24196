#include "imaging/PngCodec.h"

#include <png.h>

#include <cstring>
#include <memory>

namespace zentrik {

namespace {

constexpr uint8_t kSignature[kPngSignatureBytes] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kRgbaBytes = 4;
constexpr size_t kMaxPixels = size_t(4096) * 4096; // far beyond any chunk; bounds the memory

const Error kNotPng{"Not a PNG picture!", "File format error!"};

// libpng's simplified reader frees its state on every path only when told to.
struct ImageGuard {
    png_image* image;
    ~ImageGuard() { png_image_free(image); }
};

} // namespace

bool isPng(std::span<const uint8_t> file) {
    return file.size() >= kPngSignatureBytes &&
           std::memcmp(file.data(), kSignature, kPngSignatureBytes) == 0;
}

Result<BmpPicture> readPng(std::span<const uint8_t> file) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ImageGuard guard{&image};
    if (!isPng(file) || !png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return kNotPng;
    if (image.width >= uint32_t(kBmpMaxSide) || image.height >= uint32_t(kBmpMaxSide) ||
        size_t(image.width) * image.height > kMaxPixels)
        return Error{"This picture is too large (as you probably already guessed ;)",
                     "Picture too large!"};
    BmpPicture pic;
    pic.width = int(image.width);
    pic.height = int(image.height);
    pic.topDown = true;
    const size_t pixels = size_t(pic.width) * size_t(pic.height);
    pic.alpha.resize(pixels);
    if (image.format & PNG_FORMAT_FLAG_COLORMAP) {
        // A paletted file keeps its palette and its indices, so a picture exported with the
        // game's palette comes back index for index.
        image.format = PNG_FORMAT_RGBA_COLORMAP;
        std::vector<uint8_t> colormap(kRgbaBytes * kPaletteEntries);
        pic.depth = 8;
        pic.stride = bmpStride(pic.width, 8);
        std::vector<uint8_t> indices(pixels);
        if (!png_image_finish_read(&image, nullptr, indices.data(), png_int_32(pic.width),
                                   colormap.data()))
            return kNotPng;
        pic.colorTable.resize(std::min<size_t>(image.colormap_entries, kPaletteEntries));
        for (size_t i = 0; i < pic.colorTable.size(); ++i)
            pic.colorTable[i] = Rgb{colormap[i * 4], colormap[i * 4 + 1], colormap[i * 4 + 2]};
        pic.bits.assign(pic.stride * size_t(pic.height), 0);
        for (size_t y = 0; y < size_t(pic.height); ++y)
            for (size_t x = 0; x < size_t(pic.width); ++x) {
                const uint8_t i = indices[y * size_t(pic.width) + x];
                pic.bits[y * pic.stride + x] = i;
                pic.alpha[y * size_t(pic.width) + x] = colormap[size_t(i) * 4 + 3];
            }
        return pic;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(pixels * kRgbaBytes);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr))
        return kNotPng;
    pic.depth = 32;
    pic.stride = size_t(pic.width) * kRgbaBytes;
    pic.bits.resize(rgba.size());
    for (size_t p = 0; p < pixels; ++p) {
        // The bitmap reader's 32-bit order: blue, green, red, unused.
        pic.bits[p * 4] = rgba[p * 4 + 2];
        pic.bits[p * 4 + 1] = rgba[p * 4 + 1];
        pic.bits[p * 4 + 2] = rgba[p * 4];
        pic.alpha[p] = rgba[p * 4 + 3];
    }
    return pic;
}

Result<std::vector<uint8_t>> png8Bytes(const BmpTarget& picture, const GamePalette& palette,
                                       bool transparent255) {
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0)
        return Error{"There is no picture to export!", "Zentrik"};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    image.colormap_entries = kPaletteEntries;
    std::vector<uint8_t> colormap(kRgbaBytes * kPaletteEntries);
    for (size_t i = 0; i < size_t(kPaletteEntries); ++i) {
        const Rgb& c = palette.entries[i];
        colormap[i * 4] = c.r;
        colormap[i * 4 + 1] = c.g;
        colormap[i * 4 + 2] = c.b;
        colormap[i * 4 + 3] = transparent255 && i == kTransparentIndex ? 0 : 255;
    }
    std::vector<uint8_t> indices(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            indices[size_t(y) * size_t(w) + size_t(x)] = picture.getPixel(x, y);
    png_alloc_size_t size = 0;
    ImageGuard guard{&image};
    if (!png_image_write_get_memory_size(image, size, 0, indices.data(), w, colormap.data()))
        return Error{"The PNG picture could not be built!", "Zentrik"};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, indices.data(), w,
                                   colormap.data()))
        return Error{"The PNG picture could not be built!", "Zentrik"};
    out.resize(size);
    return out;
}

} // namespace zentrik
