#pragma once

namespace zentrik::gui {

// The parts of the graphics archive that load and save on their own, in the menus' order.
enum class VgaPart { All, Graphics, Fonts, Screens, Tile8s };
inline constexpr int kVgaPartCount = int(VgaPart::Tile8s) + 1;

} // namespace zentrik::gui
