// Any bytes as a PNG: libpng's checks and our size limit hold, and every pixel of what comes
// back can be read, its colour, index and opacity.
#include "imaging/PngCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto pic = zentrik::readPng(std::span(data, size));
    if (!pic)
        return 0;
    unsigned sum = 0;
    for (int i = 0; i < 64; ++i) {
        const int x = int(int64_t(pic->width - 1) * i / 63),
                  y = int(int64_t(pic->height - 1) * i / 63);
        sum += pic->pixel(x, y).r + pic->index(x, y) + unsigned(pic->opaque(x, y));
    }
    return int(sum & 0);
}
