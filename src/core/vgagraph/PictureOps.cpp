#include "vgagraph/PictureOps.h"

#include <algorithm>

namespace zentrik {

namespace {

size_t planeRow(int width, int plane) {
    return size_t((width - plane + kPlanes - 1) / kPlanes);
}

Status checkIndex(const GraphicsSet& set, int index) {
    if (index < 0 || index >= set.pictureCount())
        return Error{"There is no picture " + std::to_string(index) + "!", "Pictures"};
    return {};
}

Error badSize() {
    return Error{"Only values between 1 and 1023 allowed!", "Illegal picture size!"};
}

// Copies the pixels both sizes hold from `from` into a new buffer of the new size.
std::vector<uint8_t> resized(const std::vector<uint8_t>& from, PictureSize oldSize,
                             PictureSize newSize, uint8_t background) {
    std::vector<uint8_t> out(size_t(newSize.width) * size_t(newSize.height), background);
    const int w = std::min(oldSize.width, newSize.width);
    const int h = std::min(oldSize.height, newSize.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t src = planarIndex(x, y, oldSize.width, oldSize.height);
            if (src < from.size())
                out[planarIndex(x, y, newSize.width, newSize.height)] = from[src];
        }
    return out;
}

} // namespace

size_t planarIndex(int x, int y, int width, int height) {
    const int plane = x % kPlanes;
    size_t before = 0;
    for (int p = 0; p < plane; ++p)
        before += planeRow(width, p) * size_t(height);
    return before + size_t(y) * planeRow(width, plane) + size_t(x / kPlanes);
}

std::vector<uint8_t> pictureDisplayCopy(const std::vector<uint8_t>& planar, PictureSize size) {
    if (size.width <= 0 || size.height <= 0)
        return {};
    const size_t stride = (size_t(size.width) + 3) & ~size_t(3);
    std::vector<uint8_t> out(stride * size_t(size.height), 0);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const size_t src = planarIndex(x, y, size.width, size.height);
            if (src < planar.size())
                out[size_t(size.height - 1 - y) * stride + size_t(x)] = planar[src];
        }
    return out;
}

Result<int> SetPictureWidth(GraphicsSet& set, int index, int width, uint8_t background) {
    if (auto st = checkIndex(set, index); !st)
        return st.error();
    const int rounded = (width + kPlanes - 1) / kPlanes * kPlanes;
    if (width < kMinPictureSide || rounded > kMaxPictureSide)
        return badSize();
    PictureSize& size = set.table[size_t(index)];
    const PictureSize newSize{int16_t(rounded), size.height};
    set.pictures[size_t(index)] = resized(set.pictures[size_t(index)], size, newSize, background);
    size = newSize;
    set.changed = true;
    return rounded;
}

Status SetPictureHeight(GraphicsSet& set, int index, int height, uint8_t background) {
    if (auto st = checkIndex(set, index); !st)
        return st;
    if (height < kMinPictureSide || height > kMaxPictureSide)
        return badSize();
    PictureSize& size = set.table[size_t(index)];
    const PictureSize newSize{size.width, int16_t(height)};
    set.pictures[size_t(index)] = resized(set.pictures[size_t(index)], size, newSize, background);
    size = newSize;
    set.changed = true;
    return {};
}

int InsertPicture(GraphicsSet& set, int current, uint8_t background) {
    const int at = set.pictures.empty() ? 0 : std::clamp(current + 1, 0, set.pictureCount());
    set.table.insert(set.table.begin() + at, PictureSize{kNewPictureSide, kNewPictureSide});
    set.pictures.insert(
        set.pictures.begin() + at,
        std::vector<uint8_t>(size_t(kNewPictureSide) * kNewPictureSide, background));
    if (set.firstPictureChunk < 0)
        set.firstPictureChunk = int(set.fontChunks.size()) + 1;
    set.loaded = true;
    set.changed = true;
    return at;
}

int RemovePicture(GraphicsSet& set, int index) {
    if (!checkIndex(set, index))
        return set.pictures.empty() ? -1 : std::min(index, set.pictureCount() - 1);
    set.table.erase(set.table.begin() + index);
    set.pictures.erase(set.pictures.begin() + index);
    set.changed = true;
    if (set.pictures.empty())
        return -1;
    return std::min(index, set.pictureCount() - 1);
}

bool PutPictureBack(GraphicsSet& set, int index, PictureSize size, std::vector<uint8_t> pixels) {
    if (size.width <= 0 || size.height <= 0 ||
        pixels.size() != size_t(size.width) * size_t(size.height) ||
        set.table.size() != set.pictures.size())
        return false;
    const int at = std::clamp(index, 0, set.pictureCount());
    set.table.insert(set.table.begin() + at, size);
    set.pictures.insert(set.pictures.begin() + at, std::move(pixels));
    set.loaded = true;
    set.changed = true;
    return true;
}

size_t CompressedPictureSize(const GraphicsSet& set, int index, const CodeTable& codes) {
    if (!checkIndex(set, index))
        return 0;
    return HuffmanEncodedSize(set.pictures[size_t(index)], codes);
}

} // namespace zentrik
