// Any bytes, any tag, any destination size: the expander must stay inside its buffers.
#include "maps/Rlew.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const uint16_t tag = uint16_t(data[0] | (data[1] << 8));
    const size_t words = size_t(data[2] | (data[3] << 8)) % 8193;
    std::vector<uint16_t> dst(words);
    zentrik::ExpandRlew(std::span(data + 4, size - 4), dst, tag);
    return 0;
}
