// Any bytes as one sprite chunk at either side; then what decodes must encode and decode back.
#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int side = data[0] & 1 ? 128 : 64;
    const auto image = zentrik::DecodeSprite(std::span(data + 1, size - 1), side);
    const auto plain = zentrik::CompressSpritePlain(image);
    const auto shared = zentrik::CompressSpriteShared(image);
    if (zentrik::DecodeSprite(plain, side) != image ||
        zentrik::DecodeSprite(shared, side) != image || shared.size() > plain.size())
        std::abort();
    return 0;
}
