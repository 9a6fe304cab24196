// Any bytes as a ".MAP" file: a checked level or a refusal, and the clipboard block likewise.
#include "maps/MapClipboard.h"
#include "maps/MapFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    (void)zentrik::decodeMapFile(bytes);
    auto clip = zentrik::decodeMapClip(bytes);
    if (clip) {
        zentrik::Plane walls(zentrik::kPlaneWords), objects(zentrik::kPlaneWords);
        zentrik::pasteCells(walls, objects, *clip, size % 64, (size / 64) % 64);
    }
    return 0;
}
