#include "maps/MapClipboard.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <algorithm>

namespace zentrik {

std::vector<uint8_t> encodeMapClip(const MapClipBlock& block) {
    ByteWriter out(kMapClipBytes);
    out.u16(block.width);
    out.u16(block.height);
    for (uint16_t v : block.walls)
        out.u16(v);
    for (uint16_t v : block.objects)
        out.u16(v);
    out.fill(kPlaneBytes);
    return out.take();
}

Result<MapClipBlock> decodeMapClip(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    MapClipBlock b;
    if (kMapClipBytes > in.remaining())
        return Error{"The clipboard's map block is cut short.", "Zentrik"};
    b.width = *in.u16();
    b.height = *in.u16();
    if (int(b.width) * int(b.height) > kPlaneWords)
        return Error{"The clipboard's map block is larger than a map.", "Zentrik"};
    for (auto& v : b.walls)
        v = *in.u16();
    for (auto& v : b.objects)
        v = *in.u16();
    return b;
}

std::optional<MapClipBlock> copyCells(Plane& walls, Plane& objects, const MapSelection& sel,
                                      bool cut) {
    auto clampSide = [](int v) { return std::clamp(v, 0, kMapSide); };
    const int x0 = clampSide(std::min(sel.x0, sel.x1)), x1 = clampSide(std::max(sel.x0, sel.x1));
    const int y0 = clampSide(std::min(sel.y0, sel.y1)), y1 = clampSide(std::max(sel.y0, sel.y1));
    if (x1 == x0 || y1 == y0 || walls.size() != size_t(kPlaneWords) ||
        objects.size() != size_t(kPlaneWords))
        return std::nullopt;
    MapClipBlock b;
    b.width = uint16_t(x1 - x0);
    b.height = uint16_t(y1 - y0);
    size_t k = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++k) {
            const size_t cell = size_t(y * kMapSide + x);
            b.walls[k] = walls[cell];
            b.objects[k] = objects[cell];
            if (cut)
                walls[cell] = objects[cell] = 0;
        }
    return b;
}

bool canPaste(const MapClipBlock& block) {
    return block.width > 0 && block.height > 0 && block.width < kMapSide && block.height < kMapSide;
}

bool pasteCells(Plane& walls, Plane& objects, const MapClipBlock& block, int column, int row) {
    if (!canPaste(block) || column < 0 || row < 0 || column >= kMapSide || row >= kMapSide ||
        walls.size() != size_t(kPlaneWords) || objects.size() != size_t(kPlaneWords))
        return false;
    for (int y = 0; y < block.height && row + y < kMapSide; ++y)
        for (int x = 0; x < block.width && column + x < kMapSide; ++x) {
            const size_t from = size_t(y * block.width + x);
            const size_t to = size_t((row + y) * kMapSide + column + x);
            walls[to] = block.walls[from];
            objects[to] = block.objects[from];
        }
    return true;
}

} // namespace zentrik
