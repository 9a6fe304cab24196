#include "vgagraph/EngineLimits.h"

namespace zentrik {

std::optional<std::string> pictureBeyondEngine(const GraphicsSet& set) {
    for (size_t i = 0; i < set.table.size(); ++i) {
        const PictureSize size = set.table[i];
        if (size.width <= kEnginePictureWidth && size.height <= kEnginePictureHeight)
            continue;
        const int chunk = set.firstPictureChunk + int(i);
        return "Picture " + std::to_string(i) + " (chunk " + std::to_string(chunk) + ") is " +
               std::to_string(size.width) + " x " + std::to_string(size.height) +
               ", larger than the " + std::to_string(kEnginePictureWidth) + " x " +
               std::to_string(kEnginePictureHeight) +
               " the game can draw: the game would write past its screen.\nSave anyway?";
    }
    return std::nullopt;
}

} // namespace zentrik
