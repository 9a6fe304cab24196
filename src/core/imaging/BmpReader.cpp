#include "imaging/BmpReader.h"

#include "io/ByteReader.h"

#include <algorithm>
#include <cstdlib>

namespace zentrik {

namespace {

constexpr size_t kDepthAt = 14;       // within the information header
constexpr size_t kCompressionAt = 16; // within the information header
constexpr size_t kColorEntryBytes = 4;

const Error kNotBitmap{"Not a bitmap!", "File format error!"};

bool supportedDepth(int d) {
    return d == 1 || d == 4 || d == 8 || d == 16 || d == 24 || d == 32;
}

} // namespace

Rgb BmpPicture::pixel(int x, int y) const {
    const int row = topDown ? y : height - 1 - y;
    const size_t at = size_t(row) * stride;
    auto byteAt = [&](size_t i) -> uint8_t { return at + i < bits.size() ? bits[at + i] : 0; };
    auto indexed = [&](unsigned index) {
        return index < colorTable.size() ? colorTable[index] : Rgb{};
    };
    switch (depth) {
    case 1:
        return indexed((byteAt(size_t(x) / 8) >> (7 - x % 8)) & 1);
    case 4:
        return indexed((byteAt(size_t(x) / 2) >> (x % 2 ? 0 : 4)) & 0xF);
    case 8:
        return indexed(byteAt(size_t(x)));
    case 16: {
        const unsigned v = byteAt(size_t(x) * 2) | (byteAt(size_t(x) * 2 + 1) << 8);
        return Rgb{uint8_t(((v >> 10) & 31) * 8), uint8_t(((v >> 5) & 31) * 8),
                   uint8_t((v & 31) * 8)};
    }
    default: {
        const size_t b = size_t(x) * size_t(depth / 8);
        return Rgb{byteAt(b + 2), byteAt(b + 1), byteAt(b)};
    }
    }
}

uint8_t BmpPicture::index(int x, int y) const {
    const size_t at = size_t(topDown ? y : height - 1 - y) * stride + size_t(x);
    return at < bits.size() ? bits[at] : 0;
}

bool BmpPicture::indexedWith(const GamePalette& palette) const {
    if (depth != 8 || colorTable.empty() || colorTable.size() > palette.entries.size())
        return false;
    return std::equal(colorTable.begin(), colorTable.end(), palette.entries.begin());
}

Result<BmpPicture> readBmp(std::span<const uint8_t> file) {
    ByteReader r(file);
    auto type = r.u16();
    if (!type || *type != kBmpType || kBmpFileHeaderBytes > file.size())
        return kNotBitmap;
    const uint32_t dataOffset = loadLe32(file.data() + kBmpDataOffsetAt);
    r.seek(kBmpFileHeaderBytes);
    auto info = r.bytes(kBmpInfoHeaderBytes);
    if (!info)
        return kNotBitmap;
    const uint32_t headerSize = loadLe32(info->data());
    if (headerSize < kBmpInfoHeaderBytes)
        return kNotBitmap;
    BmpPicture pic;
    pic.width = int32_t(loadLe32(info->data() + 4));
    const int32_t height = int32_t(loadLe32(info->data() + 8));
    pic.depth = loadLe16(info->data() + kDepthAt);
    if (loadLe32(info->data() + kCompressionAt) != 0)
        return Error{"Sorry, but compressed bitmaps aren't supported!\nPlease save as "
                     "uncompressed bitmap.",
                     "Unsupported file format"};
    pic.topDown = height < 0;
    const int64_t absHeight = std::llabs(int64_t(height));
    if (pic.width >= kBmpMaxSide || absHeight >= kBmpMaxSide)
        return Error{"This picture is too large (as you probably already guessed ;)",
                     "Picture too large!"};
    if (pic.width <= 0 || absHeight == 0)
        return kNotBitmap;
    if (!supportedDepth(pic.depth))
        return Error{"Sorry, but only bitmaps of 1, 4, 8, 16, 24 or 32 bits per pixel are "
                     "supported!",
                     "Unsupported file format"};
    pic.height = int(absHeight);
    if (pic.depth <= 8) {
        // The table follows the whole information header; a short one reads as black.
        pic.colorTable.assign(size_t(1) << pic.depth, Rgb{});
        const size_t at = kBmpFileHeaderBytes + headerSize;
        for (size_t i = 0; i < pic.colorTable.size(); ++i) {
            const size_t e = at + i * kColorEntryBytes;
            if (e > file.size() || kColorEntryBytes > file.size() - e)
                break;
            pic.colorTable[i] = Rgb{file[e + 2], file[e + 1], file[e]};
        }
    }
    pic.stride = bmpStride(pic.width, pic.depth);
    const size_t wanted = pic.stride * size_t(pic.height);
    const size_t available = dataOffset < file.size() ? file.size() - dataOffset : 0;
    const size_t taken = std::min(wanted, available);
    if (taken > 0)
        pic.bits.assign(file.begin() + std::ptrdiff_t(dataOffset),
                        file.begin() + std::ptrdiff_t(dataOffset + taken));
    pic.truncated = taken < wanted;
    return pic;
}

} // namespace zentrik
