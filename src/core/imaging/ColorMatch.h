#pragma once

#include "imaging/Palette.h"

#include <cstdint>
#include <vector>

namespace zentrik {

// The palette index nearest to a colour by squared distance; ties go to the lowest index.
uint8_t FindNearestColor(const GamePalette& palette, uint8_t red, uint8_t green, uint8_t blue);

// Nearest colours cached per colour reduced to 6 bits a channel, for the current palette. Every
// change of the palette marks the table stale; the next import or resolution change clears it
// before converting anything. Colours that share a key get the answer found for the first of
// them since the last clearing.
class NearestColorTable {
public:
    static constexpr size_t kEntries = 64 * 64 * 64;
    static constexpr uint16_t kUnset = 0xFFFF;

    explicit NearestColorTable(const GamePalette& palette) : m_palette(palette) {}

    static size_t keyOf(uint8_t red, uint8_t green, uint8_t blue) {
        return size_t(red / 4) * 4096 + size_t(green / 4) * 64 + size_t(blue / 4);
    }

    uint8_t MatchColor(uint8_t red, uint8_t green, uint8_t blue);

    const GamePalette& palette() const { return m_palette; }
    void markStale() { m_stale = true; }
    bool stale() const { return m_stale; }
    // Empties the cache when it is stale (and creates it on first use).
    void clearIfStale();

    uint64_t hits() const { return m_hits; }
    uint64_t misses() const { return m_misses; }

private:
    const GamePalette& m_palette;
    std::vector<uint16_t> m_table;
    bool m_stale = true;
    uint64_t m_hits = 0;
    uint64_t m_misses = 0;
};

} // namespace zentrik
