#pragma once

#include <cstdint>

namespace zentrik {

// The characters of code page 437, the text screens' character set, as Unicode code points:
// the ASCII printables keep their codes; the control codes show as symbols (a smiling face,
// card suits, arrows), and codes 128..255 hold accented letters, box drawing, shades, Greek
// letters and mathematical signs.
char32_t cp437ToUnicode(uint8_t code);
// The code that shows `c`, or `fallback` when code page 437 has no such character.
uint8_t cp437FromUnicode(char32_t c, uint8_t fallback = '?');

} // namespace zentrik
