#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr uint16_t kDefaultRlewTag = 0xABCD;

// RLEW: runs of four or more equal words, and every word equal to the tag, become the triple
// (tag, count, value); other words stand for themselves. Returns the little-endian bytes.
std::vector<uint8_t> CompressRlew(std::span<const uint16_t> words, uint16_t tag);

// Expands into dst until it is full or the source ends. Words that the data does not reach
// keep their contents. A tag with fewer than two words behind it ends the data. Returns the
// words written.
size_t ExpandRlew(std::span<const uint8_t> src, std::span<uint16_t> dst, uint16_t tag);

} // namespace zentrik
