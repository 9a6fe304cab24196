#include "maps/LevelSet.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <algorithm>
#include <cstring>

namespace zentrik {

std::string LevelHeader::nameText() const {
    const auto end = std::find(name.begin(), name.end(), '\0');
    return std::string(name.begin(), end);
}

void LevelHeader::setName(const std::string& text) {
    name.fill('\0');
    std::copy_n(text.begin(), std::min<size_t>(text.size(), kLevelNameLength), name.begin());
}

std::optional<LevelHeader> LevelHeader::read(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    if (kSize > in.remaining())
        return std::nullopt;
    LevelHeader h;
    for (auto& s : h.planeStart)
        s = *in.i32();
    for (auto& l : h.planeLength)
        l = *in.u16();
    h.width = *in.u16();
    h.height = *in.u16();
    auto name = *in.bytes(kLevelNameLength);
    std::memcpy(h.name.data(), name.data(), kLevelNameLength);
    in.skip(1);
    h.terminator = 0;
    h.spare = *in.u8();
    return h;
}

std::array<uint8_t, LevelHeader::kSize> LevelHeader::bytes() const {
    ByteWriter out(kSize);
    for (auto s : planeStart)
        out.i32(s);
    for (auto l : planeLength)
        out.u16(l);
    out.u16(width);
    out.u16(height);
    for (char c : name)
        out.u8(uint8_t(c));
    out.u8(terminator);
    out.u8(spare);
    std::array<uint8_t, kSize> a{};
    std::copy(out.bytes().begin(), out.bytes().end(), a.begin());
    return a;
}

Level Level::blank(bool thirdPlane) {
    Level l;
    l.planes[0].assign(kPlaneWords, 0);
    l.planes[1].assign(kPlaneWords, 0);
    if (thirdPlane)
        l.planes[2].assign(kPlaneWords, 0);
    return l;
}

uint16_t Level::featureFlags() const {
    return planes[0].size() > kFeatureFlagsWord ? planes[0][kFeatureFlagsWord] : 0;
}

} // namespace zentrik
