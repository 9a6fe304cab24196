#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace zentrik::gui {

// The map blocks on the system clipboard, under a MIME type of their own so that two running
// copies of the editor can pass blocks to each other.
inline const QString kMapClipMimeType = QStringLiteral("application/x-zentrik-mapclipformat");

// Empties the clipboard and puts the bytes there under the map block's type.
void putMapClip(const std::vector<uint8_t>& bytes);
// The bytes of the clipboard's map block, or nothing when it holds none.
std::optional<std::vector<uint8_t>> takeMapClip();
bool hasMapClip();

} // namespace zentrik::gui
