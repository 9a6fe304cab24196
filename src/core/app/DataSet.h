#pragma once

namespace zentrik {

// The data sets that carry an unsaved-changes state, in the order the program keeps them.
enum class DataSet { Maps, Walls, Sprites, Sounds, Graphics, Fonts, Screens, Tile8s, Music };
inline constexpr int kDataSetCount = 9;

} // namespace zentrik
