#pragma once

namespace zentrik {

// The data sets that carry an unsaved-changes state, in the order the program keeps them.
enum class DataSet { Maps, Walls, Sprites, Sounds, Graphics, Fonts, Screens, Tile8s };
inline constexpr int kDataSetCount = 8;

} // namespace zentrik
