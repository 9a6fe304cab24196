#pragma once

#include "Result.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr int kSymbolSize = 7;
inline constexpr int kSymbolsPerRow = 64;
inline constexpr int kStripWidth = kSymbolsPerRow * kSymbolSize; // 448
inline constexpr int kStripHeight = 16 * kSymbolSize;            // 112
inline constexpr int kObjectSymbolRowOffset = 8;                 // object symbols: rows 8..15
inline constexpr int kPlane0Symbols = 512;
inline constexpr size_t kStripBmpBytes = 100406;
inline constexpr const char* kSymbolsFileName = "symbols.bmp";

using Symbol = std::array<uint16_t, kSymbolSize * kSymbolSize>; // 5-5-5 pixels, row by row

// The 448 x 112 strip of 7 x 7 symbols in 16-bit 5-5-5 colour, top row first: plane-0 values
// 0..511 in symbol rows 0..7, object values in rows 8..15.
class SymbolStrip {
public:
    SymbolStrip() : m_pixels(size_t(kStripWidth) * kStripHeight, 0) {}

    uint16_t pixel(int x, int y) const { return m_pixels[size_t(y * kStripWidth + x)]; }
    void setPixel(int x, int y, uint16_t c) { m_pixels[size_t(y * kStripWidth + x)] = c; }

    // The symbol of strip cell `index` (column + 64 x row, 0..1023).
    Symbol symbol(int index) const;
    void setSymbol(int index, const Symbol& s);
    static int plane0Index(uint16_t value) { return value % kPlane0Symbols; }
    static int objectIndex(uint16_t value) { return kPlane0Symbols + value % kPlane0Symbols; }

    // A bitmap of exactly 448 x 112 pixels, 16-bit 5-5-5 or 24-bit, uncompressed.
    static Result<SymbolStrip> decodeBmp(std::span<const uint8_t> bmp);
    // The 100406-byte 16-bit bitmap, bottom row first.
    std::vector<uint8_t> encodeBmp() const;

    bool operator==(const SymbolStrip&) const = default;

private:
    std::vector<uint16_t> m_pixels;
};

} // namespace zentrik
