#include "pagefile/PageFile.h"

#include "io/ByteReader.h"

namespace zentrik {

std::optional<std::span<const uint8_t>> PageDirectory::chunk(std::span<const uint8_t> file,
                                                             int index) const {
    const size_t offset = offsets[size_t(index)];
    const size_t length = lengths[size_t(index)];
    if (offset > file.size() || length > file.size() - offset)
        return std::nullopt;
    return file.subspan(offset, length);
}

Result<PageDirectory> readPageDirectory(std::span<const uint8_t> file) {
    const Error bad{"This is not a valid VSWAP file!", kVswapCaption};
    ByteReader r(file);
    PageDirectory d;
    auto count = r.u16();
    auto sprites = r.u16();
    auto sounds = r.u16();
    if (!count || !sprites || !sounds)
        return bad;
    d.chunkCount = *count;
    d.spriteStart = *sprites;
    d.soundStart = *sounds;
    if (d.spriteStart > d.soundStart || d.soundStart > d.chunkCount)
        return bad;
    if (size_t(d.chunkCount) * kPageEntryBytes > r.remaining())
        return bad;
    d.offsets.resize(d.chunkCount);
    d.lengths.resize(d.chunkCount);
    for (auto& o : d.offsets)
        o = *r.u32();
    for (auto& l : d.lengths)
        l = *r.u16();
    return d;
}

PageDirectory emptyPageDirectory() {
    return PageDirectory{};
}

void WallSet::setImage(int i, IndexedImage image) {
    columnsFromImage(image, slot(i));
    images[size_t(i)] = std::move(image);
}

int soundPages(uint16_t length) {
    return length == 0 ? 1 : int((length + kSoundPageBytes - 1) / kSoundPageBytes);
}

} // namespace zentrik
