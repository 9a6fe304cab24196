#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrik {

// Decimal text to integer the way the C library's atoi reads it: leading blanks, an optional
// sign, then digits up to the first non-digit; text that is no number reads as 0.
int parseDecimal(std::string_view text);

// Hexadecimal text (an optional "0x" prefix, then hex digits up to the first other character);
// no digits read as 0.
uint32_t parseHex(std::string_view text);

// printf-style "%u/%u"-like helpers without locale surprises.
std::string formatCounter(long a, long b);

} // namespace zentrik
