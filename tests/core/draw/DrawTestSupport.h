#pragma once

// What the draw tests share: the mouse buttons, and a click or a drag as a widget sends them.
#include "draw/PictureEditor.h"

#include <cstdint>
#include <vector>

namespace zentrik::test {

using Bytes = std::vector<uint8_t>;
constexpr auto L = MouseButton::Left;
constexpr auto R = MouseButton::Right;

inline void click(PictureEditor& ed, MouseButton b, ChunkPoint p) {
    ed.buttonDown(b, p);
    ed.buttonUp(b, p);
}

inline void drag(PictureEditor& ed, MouseButton b, ChunkPoint from, ChunkPoint to) {
    ed.buttonDown(b, from);
    ed.mouseMove(to);
    ed.buttonUp(b, to);
}

} // namespace zentrik::test
