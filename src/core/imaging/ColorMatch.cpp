#include "imaging/ColorMatch.h"

namespace zentrik {

uint8_t FindNearestColor(const GamePalette& palette, uint8_t red, uint8_t green, uint8_t blue) {
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const Rgb& c = palette.entries[size_t(i)];
        const int dr = c.r - red, dg = c.g - green, db = c.b - blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return uint8_t(best);
}

void NearestColorTable::clearIfStale() {
    if (!m_stale && !m_table.empty())
        return;
    m_table.assign(kEntries, kUnset);
    m_hits = m_misses = 0;
    m_stale = false;
}

uint8_t NearestColorTable::MatchColor(uint8_t red, uint8_t green, uint8_t blue) {
    if (m_table.empty())
        m_table.assign(kEntries, kUnset);
    uint16_t& entry = m_table[keyOf(red, green, blue)];
    if (entry == kUnset) {
        ++m_misses;
        entry = FindNearestColor(m_palette, red, green, blue);
    } else {
        ++m_hits;
    }
    return uint8_t(entry);
}

} // namespace zentrik
