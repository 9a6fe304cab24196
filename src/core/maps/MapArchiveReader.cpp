#include "maps/MapArchiveReader.h"

#include "app/JobProtocol.h"
#include "io/ByteReader.h"
#include "maps/Carmack.h"
#include "maps/Rlew.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace zentrik {

namespace {

constexpr size_t kHeaderWidthOffset = 18;
constexpr std::array<uint8_t, 4> kSize64x64{0x40, 0x00, 0x40, 0x00};
constexpr size_t kMinBlockBytes = 2;

size_t clampBlock(size_t n) {
    return std::clamp(n, kMinBlockBytes, kMapWorkBufferBytes);
}

// Copies up to n bytes from position `at` of the file; what the file lacks stays zero.
std::vector<uint8_t> readBlock(std::span<const uint8_t> file, int64_t at, size_t n) {
    std::vector<uint8_t> block(n, 0);
    if (at < 0 || uint64_t(at) >= file.size())
        return block;
    const size_t avail = std::min(n, file.size() - size_t(at));
    std::memcpy(block.data(), file.data() + at, avail);
    return block;
}

std::vector<uint8_t> wordsToBytes(std::span<const uint16_t> words) {
    std::vector<uint8_t> b(words.size() * 2);
    for (size_t i = 0; i < words.size(); ++i) {
        b[2 * i] = uint8_t(words[i]);
        b[2 * i + 1] = uint8_t(words[i] >> 8);
    }
    return b;
}

// Why a part of a damaged file could not be read whole; the load lists them in one message.
constexpr const char* kHeaderOutside = "its header lies outside the map file";
constexpr const char* kHeaderCut = "its header is cut short by the end of the map file";
constexpr const char* kPlanePastEnd = "its data runs past the end of the map file";
constexpr const char* kPlaneShort = "its data ends before the plane is full";
// A long list would not fit a message box; the rest is counted.
constexpr size_t kMaxDamageLines = 20;

// Decodes one stored plane; `fault` says why it could not be read whole (nullptr when it was).
// A length of 0 marks a plane that is meant to be empty.
// `rlewOnly` tells whether the block was found to be RLEW only (detectRlewOnly).
Plane decodePlane(std::span<const uint8_t> map, int32_t start, uint16_t storedLength,
                  const MapReadOptions& o, uint16_t rlewTag, const char*& fault, bool& rlewOnly) {
    const size_t length = clampBlock(storedLength);
    const bool pastEnd = start < 0 || uint64_t(start) + length > map.size();
    const std::vector<uint8_t> block = readBlock(map, start, length);
    std::vector<uint8_t> rlew;
    bool complete = true;
    rlewOnly = o.detectRlewOnly && !pastEnd &&
               isRlewOnlyPlane(std::span(block).first(std::min<size_t>(storedLength, block.size())),
                               rlewTag);
    if (o.carmack && !rlewOnly) {
        const size_t expanded = clampBlock(loadLe16(block.data()));
        std::vector<uint16_t> words(expanded / 2, 0);
        complete =
            ExpandCarmack(std::span(block).subspan(2), words, o.nearTag, o.farTag) == words.size();
        rlew = wordsToBytes(words);
        rlew.resize(expanded, 0);
    } else {
        rlew = block;
    }
    Plane plane(kPlaneWords, 0);
    // The RLEW block's own first word (the plane size) is not checked, as the game does not.
    complete = ExpandRlew(std::span(rlew).subspan(2), plane, rlewTag) == plane.size() && complete;
    fault = storedLength == 0 ? nullptr
            : pastEnd         ? kPlanePastEnd
            : complete        ? nullptr
                              : kPlaneShort;
    return plane;
}

// Reads the 40-byte header at `at`; a header cut short by the end of the file is zero-padded.
std::optional<LevelHeader> readHeaderAt(std::span<const uint8_t> map, int32_t at,
                                        const char*& fault) {
    fault = nullptr;
    if (uint64_t(at) >= map.size()) {
        fault = kHeaderOutside;
        return std::nullopt;
    }
    if (uint64_t(at) + LevelHeader::kSize > map.size())
        fault = kHeaderCut;
    return LevelHeader::read(readBlock(map, at, LevelHeader::kSize));
}

void noteDamage(std::vector<std::string>& damage, int level, int plane, const char* fault) {
    if (!fault)
        return;
    std::string line = "Map " + std::to_string(level + 1);
    if (plane >= 0)
        line += ", plane " + std::to_string(plane);
    damage.push_back(line + ": " + fault);
}

void reportDamage(const std::vector<std::string>& damage, Prompter& prompter) {
    std::string text = "The map file is damaged. These parts could not be read in full:";
    for (size_t i = 0; i < damage.size() && i < kMaxDamageLines; ++i)
        text += "\n" + damage[i];
    if (damage.size() > kMaxDamageLines)
        text += "\n... and " + std::to_string(damage.size() - kMaxDamageLines) + " more";
    prompter.message(text, "Zentrik", MessageIcon::Exclamation);
}

constexpr const char* kTedSignature = "TED5v1.0";
constexpr const char* kOwnSignature = "ZK";

bool startsWith(std::span<const uint8_t> map, const char* text) {
    const size_t n = std::strlen(text);
    return map.size() >= n && std::memcmp(map.data(), text, n) == 0;
}

bool isSigned(std::span<const uint8_t> map) {
    return startsWith(map, kTedSignature) ||
           (startsWith(map, kOwnSignature) && map.size() > 2 && std::isdigit(map[2]));
}

bool nameIsText(const LevelHeader& h) {
    for (char c : h.name) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0)
            return true;
        if (u < 0x20 || u == 0x7F)
            return false;
    }
    return true;
}

// Why the header the table's entry `level` points to is no level header (nothing: it is one).
std::optional<std::string> headerFault(std::span<const uint8_t> map, int level, int32_t at) {
    const std::string which = "level " + std::to_string(level + 1) + "'s header";
    if (at < 0 || uint64_t(at) + LevelHeader::kSize > map.size())
        return which + " at offset " + std::to_string(at) + " leaves no room for its " +
               std::to_string(LevelHeader::kSize) + " bytes in a file of " +
               std::to_string(map.size());
    const LevelHeader h = *LevelHeader::read(map.subspan(size_t(at), LevelHeader::kSize));
    auto sizeOk = [](uint16_t v) { return v >= 1 && v <= kMapSide; };
    if (!sizeOk(h.width) || !sizeOk(h.height))
        return which + " gives a size of " + std::to_string(h.width) + " x " +
               std::to_string(h.height) + " tiles (a level has 1 to 64 each way)";
    if (!nameIsText(h))
        return which + " holds a name that is not text";
    return std::nullopt;
}

int countEntries(const std::array<int32_t, kMaxLevels>& table) {
    return int(std::find(table.begin(), table.end(), 0) - table.begin());
}

void readHeaderTable(std::span<const uint8_t> header, const MapReadOptions& o, LevelSet& set) {
    ByteReader in(header);
    if (o.skipHeaderTag)
        in.skip(kHeaderTagBytes);
    else if (auto tag = in.u16())
        set.rlewTag = *tag;
    for (auto& entry : set.headerOffsets) {
        auto v = in.i32();
        if (!v)
            break;
        entry = *v;
    }
}

} // namespace

std::optional<std::string> notAMapFileReason(std::span<const uint8_t> map,
                                             std::span<const int32_t> headerOffsets) {
    if (isSigned(map))
        return std::nullopt;
    std::optional<std::string> first;
    for (size_t i = 0; i < headerOffsets.size() && headerOffsets[i] != 0; ++i) {
        auto fault = headerFault(map, int(i), headerOffsets[i]);
        if (!fault)
            return std::nullopt;
        if (!first)
            first = fault;
    }
    if (!first)
        return std::nullopt; // no entry at all: said as "does not point to any maps"
    return "it does not start with the " + std::string(kTedSignature) +
           " signature, and no level header is one: " + *first;
}

bool isRlewOnlyPlane(std::span<const uint8_t> block, uint16_t rlewTag) {
    if (block.size() < 2 || loadLe16(block.data()) != kPlaneBytes)
        return false;
    ByteReader in(block.subspan(2));
    size_t words = 0;
    while (words < size_t(kPlaneWords)) {
        auto w = in.u16();
        if (!w)
            return false;
        if (*w != rlewTag) {
            ++words;
            continue;
        }
        auto count = in.u16();
        if (!count || !in.u16())
            return false;
        words += *count;
    }
    return words == size_t(kPlaneWords) && in.remaining() == 0;
}

int RestoreHeaderTable(std::span<const uint8_t> map, std::array<int32_t, kMaxLevels>& table) {
    table.fill(0);
    int found = 0;
    const size_t end = map.size() / 4 * 4;
    for (size_t q = 0; q < end && q + kSize64x64.size() <= map.size(); ++q) {
        if (!std::equal(kSize64x64.begin(), kSize64x64.end(), map.begin() + q))
            continue;
        // A match too near the start gives a negative entry, which the reader skips.
        table[size_t(found++)] = int32_t(int64_t(q) - int64_t(kHeaderWidthOffset));
        if (found == kMaxLevels)
            break;
    }
    return found;
}

void readMapSignature(std::span<const uint8_t> map, bool& thirdPlane, bool& featureFlags) {
    thirdPlane = false;
    featureFlags = false;
    const auto probe = map.first(std::min(map.size(), kSignatureProbeBytes));
    const auto colon = std::find(probe.begin(), probe.end(), uint8_t(':'));
    if (colon == probe.end())
        return;
    const size_t i = size_t(colon - probe.begin());
    auto at = [&](size_t k, const char* text) {
        const size_t n = std::strlen(text);
        return k + n <= probe.size() && std::memcmp(probe.data() + k, text, n) == 0;
    };
    if (at(i + 1, "3P")) {
        thirdPlane = true;
        featureFlags = at(i + 3, ":FF");
    } else {
        featureFlags = at(i + 1, "FF");
    }
}

int LoadMapsWorker(Progress& progress, std::span<const uint8_t> header,
                   std::span<const uint8_t> map, const MapReadOptions& o, LevelSet& set,
                   Prompter& prompter, std::vector<std::string>* damaged) {
    JobReporter report(progress);
    report.begin("Loading Headers...", "");
    set.rlewTag = o.rlewTag;
    set.nearTag = o.nearTag;
    set.farTag = o.farTag;
    set.carmack = o.carmack;
    set.headerOffsets.fill(0);
    set.levels.clear();
    if (o.restoreHeader) {
        RestoreHeaderTable(map, set.headerOffsets);
        set.rlewTag = kRestoredRlewTag;
    } else {
        readHeaderTable(header, o, set);
    }

    const int count = countEntries(set.headerOffsets);
    if (auto reason = notAMapFileReason(map, set.headerOffsets)) {
        const std::string name = o.fileName.empty() ? "The file" : o.fileName;
        prompter.message(name + " is not a map file: " + *reason + ".", "Zentrik",
                         MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    report.begin("Loading Maps...", "");
    readMapSignature(map, set.thirdPlane, set.featureFlags);

    int read = 0;
    int carmackPlanes = 0, rlewOnlyPlanes = 0;
    std::vector<std::string> damage;
    for (int i = 0; i < count; ++i) {
        if (report.cancelled())
            return JobResult::Failed;
        report.item(i, count);
        const int32_t at = set.headerOffsets[size_t(i)];
        if (at < 0)
            continue;
        const char* fault = nullptr;
        auto h = readHeaderAt(map, at, fault);
        noteDamage(damage, i, -1, fault);
        if (!h)
            continue; // users rescue damaged files: read on as far as the data goes
        // Absent levels before this one get zero-filled planes.
        while (set.levelCount() < i)
            set.levels.push_back(Level::blank(set.thirdPlane));
        Level level;
        level.header = *h;
        const int planes = set.thirdPlane ? 3 : 2;
        for (int p = 0; p < planes; ++p) {
            bool rlewOnly = false;
            level.planes[size_t(p)] =
                decodePlane(map, h->planeStart[size_t(p)], h->planeLength[size_t(p)], o,
                            set.rlewTag, fault, rlewOnly);
            noteDamage(damage, i, p, fault);
            if (h->planeLength[size_t(p)] != 0)
                ++(rlewOnly ? rlewOnlyPlanes : carmackPlanes);
        }
        set.levels.push_back(std::move(level));
        ++read;
    }
    // A file stored without Carmack is saved the same way again on "Auto".
    if (o.carmack && rlewOnlyPlanes > 0 && carmackPlanes == 0)
        set.carmack = false;
    if (damaged)
        *damaged = damage;
    if (read == 0) {
        prompter.message("The map header does not point to any maps!", "Zentrik",
                         MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    if (!damage.empty())
        reportDamage(damage, prompter);
    return JobResult::Done;
}

} // namespace zentrik
