#include "maps/MapFile.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cstring>

namespace zentrik {

namespace {

constexpr uint8_t kTwoPlanes = 2;
constexpr uint8_t kThreePlanes = 3;
constexpr uint16_t kOneMap = 1;
constexpr const char* kImportCaption = "Unable to import map!";
constexpr uint64_t kMaxMapFileBytes = 1u << 20;

Error refusal(const char* text) {
    return Error{text, kImportCaption};
}

Plane readPlane(ByteReader& in) {
    Plane p(kPlaneWords);
    for (auto& w : p)
        w = *in.u16();
    return p;
}

} // namespace

std::vector<uint8_t> encodeMapFile(const LevelSet& set, int levelIndex) {
    const Level& level = set.levels.at(size_t(levelIndex));
    const int planes = set.thirdPlane ? 3 : 2;
    ByteWriter out;
    out.text(kMapFileSignature);
    out.u8(0);
    out.u8(uint8_t(planes));
    out.u16(kOneMap);
    out.u16(uint16_t(levelIndex));
    out.u16(kMapSide);
    out.u16(kMapSide);
    out.u8(kLevelNameLength);
    for (char c : level.header.name)
        out.u8(uint8_t(c));
    for (int p = 0; p < planes; ++p) {
        const Plane& plane = level.planes[size_t(p)];
        for (int i = 0; i < kPlaneWords; ++i)
            out.u16(size_t(i) < plane.size() ? plane[size_t(i)] : 0);
    }
    return out.take();
}

Result<MapFileContent> decodeMapFile(std::span<const uint8_t> bytes) {
    MapFileContent c;
    ByteReader in(bytes);
    if (bytes.size() == kRawLevelFileBytes) {
        c.raw = true;
        c.planes[0] = readPlane(in);
        c.planes[1] = readPlane(in);
        return c;
    }
    auto sig = in.bytes(kMapFileSignatureBytes);
    // Compared as NUL-terminated text, as the signature was always checked.
    if (!sig || std::strncmp(reinterpret_cast<const char*>(sig->data()), kMapFileSignature,
                             kMapFileSignatureBytes) != 0)
        return refusal("Unknown map format!");
    auto planes = in.u8();
    if (!planes || (*planes != kTwoPlanes && *planes != kThreePlanes))
        return refusal("Only two or three planes supported!");
    c.planeCount = *planes;
    auto maps = in.u16();
    if (!maps || *maps != kOneMap)
        return refusal("Importing multiple maps is not implemented yet!");
    auto number = in.u16();
    auto width = in.u16();
    auto height = in.u16();
    if (!number || !width || !height || *width != kMapSide || *height != kMapSide)
        return refusal("Only 64x64 maps supported yet!");
    auto nameLength = in.u8();
    auto name = in.bytes(kLevelNameLength);
    const size_t extra =
        nameLength && *nameLength > kLevelNameLength ? size_t(*nameLength - kLevelNameLength) : 0;
    if (!name || !in.skip(extra) || size_t(c.planeCount) * kPlaneBytes > in.remaining())
        return refusal("The map file is cut short!");
    std::memcpy(c.name.data(), name->data(), kLevelNameLength);
    for (int p = 0; p < c.planeCount; ++p)
        c.planes[size_t(p)] = readPlane(in);
    return c;
}

bool exportMap(const LevelSet& set, const std::filesystem::path& path, Prompter& prompter) {
    if (!set.current())
        return false;
    if (!replaceFile(path, encodeMapFile(set, set.currentLevel))) {
        prompter.message(path.string(), "Unable to create file:", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

Result<MapFileContent> readMapFile(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path, kMaxMapFileBytes);
    if (!bytes)
        return Error{path.string(), "Unable to open file:"};
    return decodeMapFile(*bytes);
}

std::optional<bool> askThirdPlaneFor(const MapFileContent& content, const LevelSet& set,
                                     Prompter& prompter) {
    if (content.raw || content.planeCount != 3 || set.thirdPlane)
        return false;
    const Answer a = prompter.ask("The third plane is currently not enabled.\nShall it be "
                                  "enabled now?",
                                  "The map uses a third plane!", Buttons::YesNoCancel);
    if (a == Answer::Cancel)
        return std::nullopt;
    return a == Answer::Yes;
}

void applyMapFile(LevelSetEditor& editor, MapFileContent&& content, bool enableThirdPlane) {
    LevelSet& set = editor.set();
    if (!set.current())
        return;
    if (enableThirdPlane)
        editor.setThirdPlane(true);
    Level& level = *set.current();
    if (!content.raw) {
        level.header.name = content.name;
        level.header.terminator = 0;
    }
    const int planes = !content.raw && content.planeCount == 3 && set.thirdPlane ? 3 : 2;
    for (int p = 0; p < planes; ++p)
        level.planes[size_t(p)] = std::move(content.planes[size_t(p)]);
    editor.setMapsModified(true);
    editor.setCurrentMap(set.currentLevel);
}

bool importMap(LevelSetEditor& editor, const std::filesystem::path& path, Prompter& prompter) {
    if (!editor.set().current())
        return false;
    auto content = readMapFile(path);
    if (!content) {
        prompter.message(content.error().text, content.error().caption, MessageIcon::Exclamation);
        return false;
    }
    const auto enable = askThirdPlaneFor(*content, editor.set(), prompter);
    if (!enable)
        return false;
    applyMapFile(editor, std::move(*content), *enable);
    return true;
}

} // namespace zentrik
