#include "maps/Rlew.h"

#include "io/ByteReader.h"

namespace zentrik {

namespace {
constexpr uint16_t kShortestRun = 4;
}

std::vector<uint8_t> CompressRlew(std::span<const uint16_t> words, uint16_t tag) {
    std::vector<uint8_t> out;
    out.reserve(words.size() * 2);
    auto put = [&out](uint16_t w) {
        out.push_back(uint8_t(w));
        out.push_back(uint8_t(w >> 8));
    };
    size_t i = 0;
    while (i < words.size()) {
        const uint16_t value = words[i];
        size_t count = 1;
        ++i;
        // Counts are words; a longer run is cut into several triples.
        while (i < words.size() && words[i] == value && count < 0xFFFF) {
            ++count;
            ++i;
        }
        if (count < kShortestRun && value != tag) {
            for (size_t k = 0; k < count; ++k)
                put(value);
        } else {
            put(tag);
            put(uint16_t(count));
            put(value);
        }
    }
    return out;
}

size_t ExpandRlew(std::span<const uint8_t> src, std::span<uint16_t> dst, uint16_t tag) {
    ByteReader in(src.first(src.size() & ~size_t(1)));
    size_t out = 0;
    while (out < dst.size()) {
        auto w = in.u16();
        if (!w)
            break;
        if (*w != tag) {
            dst[out++] = *w;
            continue;
        }
        if (in.remaining() < 4)
            break;
        const uint16_t count = *in.u16();
        const uint16_t value = *in.u16();
        for (uint16_t k = 0; k < count && out < dst.size(); ++k)
            dst[out++] = value;
    }
    return out;
}

} // namespace zentrik
