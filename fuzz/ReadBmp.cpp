// Any bytes as a bitmap: the header checks and every pixel read stay inside the file.
#include "imaging/BmpReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto pic = zentrik::readBmp(std::span(data, size));
    if (!pic)
        return 0;
    // Sample the corners and a diagonal rather than every pixel of a 32767 x 32767 picture.
    unsigned sum = 0;
    for (int i = 0; i < 64; ++i) {
        const int x = int(int64_t(pic->width - 1) * i / 63),
                  y = int(int64_t(pic->height - 1) * i / 63);
        sum += pic->pixel(x, y).r + pic->pixel(pic->width - 1 - x, y).g;
    }
    return int(sum & 0);
}
