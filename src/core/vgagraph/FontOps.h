#pragma once

#include "platform/Prompter.h"
#include "Result.h"

#include <cstdint>
#include <vector>

namespace zentrik {

// Edits of one expanded font chunk: u16 height, 256 u16 locations, 256 u8 widths, then the
// characters' pixel blocks (height rows of width bytes).
int fontHeight(const std::vector<uint8_t>& font);
int fontCharWidth(const std::vector<uint8_t>& font, int code);
int fontCharLocation(const std::vector<uint8_t>& font, int code);
bool fontCharPresent(const std::vector<uint8_t>& font, int code);

// New width of one character; its rows keep their left pixels, new columns are 0, and every
// block stored after it moves. Width 0 removes the character. A font whose length disagrees
// with its widths gets the warning "neededsize!=fontsize!!" and is edited all the same; a
// character whose block lies outside the chunk, or a result that locations cannot address,
// is refused and the font stays as it was.
Status SetCurWidth(std::vector<uint8_t>& font, int code, int width, Prompter& prompter);
// New height of every character: top rows kept, new rows 0; blocks laid out in code order.
Status SetHeight(std::vector<uint8_t>& font, int height);
inline Status DeleteCharacter(std::vector<uint8_t>& font, int code, Prompter& prompter) {
    return SetCurWidth(font, code, 0, prompter);
}

} // namespace zentrik
