#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr uint8_t kNearTag = 0xA7;
inline constexpr uint8_t kFarTag = 0xA8;

enum class CarmackMode { Compatible = 0, BestResult = 1 };
inline CarmackMode carmackModeFromSetting(int setting) {
    return setting == 0 ? CarmackMode::Compatible : CarmackMode::BestResult;
}

// Carmack compression of a little-endian word stream (normally RLEW output). Near copies go
// back at most 254 words; far copies address any earlier word by offset. "Compatible" never
// lets a near copy overlap the words it encodes; "Best Result" does. An odd trailing byte is
// encoded as a word whose high byte is 0. The map file stores the length as a word.
std::vector<uint8_t> CompressCarmack(std::span<const uint8_t> src, CarmackMode mode);

// The same output by the exhaustive search that defines it; kept for tests and benchmarks.
std::vector<uint8_t> CompressCarmackReference(std::span<const uint8_t> src, CarmackMode mode);

// Expands until dst is full or the data ends; a malformed item ends decoding, leaving the rest
// of dst as it was. Never reads or writes outside src and dst. Returns the words written.
size_t ExpandCarmack(std::span<const uint8_t> src, std::span<uint16_t> dst,
                     uint8_t nearTag = kNearTag, uint8_t farTag = kFarTag);

} // namespace zentrik
