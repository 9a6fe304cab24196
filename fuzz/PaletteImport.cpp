// Any bytes as a bitmap or a ".pal" file to take a palette from.
#include "imaging/Palette.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::GamePalette p;
    (void)zentrik::importBmpPalette(std::span(data, size), p);
    (void)zentrik::importPalPalette(std::span(data, size), p);
    return 0;
}
