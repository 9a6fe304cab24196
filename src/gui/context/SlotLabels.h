#pragma once

namespace zentrik::gui {

// What an empty pen or map slot (value 0 without a name) is called everywhere.
inline constexpr const char* kEmptySlotLabel = "0 --- Nothing ---";

} // namespace zentrik::gui
