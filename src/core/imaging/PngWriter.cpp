#include "imaging/PngWriter.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentrik {

namespace {

constexpr size_t kMaxStoredBlock = 65535;

uint32_t crc32(std::span<const uint8_t> bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

void chunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
    putBig32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32(std::span(out).subspan(start)));
}

// A zlib stream of stored blocks with its Adler-32.
std::vector<uint8_t> zlibStored(std::span<const uint8_t> raw) {
    std::vector<uint8_t> z{0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t n = std::min(kMaxStoredBlock, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + ptrdiff_t(pos), raw.begin() + ptrdiff_t(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(z, (b << 16) | a);
    return z;
}

} // namespace

std::vector<uint8_t> png8Bytes(std::span<const uint8_t> pixels, int width, int height,
                               const GamePalette& palette) {
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, uint32_t(width));
    putBig32(header, uint32_t(height));
    header.insert(header.end(), {8, 3, 0, 0, 0}); // 8 bits, palette, deflate, filter, no interlace
    chunk(out, "IHDR", header);
    std::vector<uint8_t> plte;
    for (const Rgb& c : palette.entries)
        plte.insert(plte.end(), {c.r, c.g, c.b});
    chunk(out, "PLTE", plte);
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (size_t(width) + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter: none
        const auto row = pixels.subspan(size_t(y) * size_t(width), size_t(width));
        raw.insert(raw.end(), row.begin(), row.end());
    }
    chunk(out, "IDAT", zlibStored(raw));
    chunk(out, "IEND", {});
    return out;
}

} // namespace zentrik
