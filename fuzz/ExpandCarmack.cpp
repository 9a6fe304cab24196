// Any bytes, any tags, any destination size: the expander must stay inside its buffers.
#include "maps/Carmack.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const uint8_t nearTag = data[0];
    const uint8_t farTag = data[1];
    const size_t words = size_t(data[2] | (data[3] << 8)) % 8193;
    std::vector<uint16_t> dst(words);
    zentrik::ExpandCarmack(std::span(data + 4, size - 4), dst, nearTag, farTag);
    return 0;
}
