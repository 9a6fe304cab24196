#pragma once

#include "maps/LevelSet.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// Stored plane blocks are read into work buffers of this size. It holds the largest block the
// writer can produce (RLEW of a plane full of isolated tag words, then Carmack literals), so
// every file we write reads back whole; longer length fields are cut to it.
inline constexpr size_t kMapWorkBufferBytes = 32768;
// The map file's signature ("ZK1.27:3P:FF:...") is looked for in its first bytes only.
inline constexpr size_t kSignatureProbeBytes = 20;
inline constexpr size_t kHeaderTagBytes = 2;
inline constexpr uint16_t kRestoredRlewTag = 0xABCD;

// What the reading job needs besides the two files' bytes.
struct MapReadOptions {
    bool carmack = true;
    // "Auto": a plane stored as RLEW only (its first word 8192 and an RLEW stream that fills
    // exactly one plane) is read as such even where Carmack is expected.
    bool detectRlewOnly = false;
    std::string fileName;       // the map file's name, for the messages
    bool skipHeaderTag = false; // DontLoadRLEW: keep rlewTag from the settings
    bool restoreHeader = false; // no header file: rebuild the table from the map file
    uint16_t rlewTag = 0xABCD;
    uint8_t nearTag = 0xA7;
    uint8_t farTag = 0xA8;
};

// Rebuilds a lost header table: every position of the bytes 40 00 40 00 (a 64 x 64 level's
// width and height) is taken as a level header 18 bytes before it. Stops at kMaxLevels
// entries. Returns the number of entries found.
int RestoreHeaderTable(std::span<const uint8_t> map, std::array<int32_t, kMaxLevels>& table);

// Reads the header table (or restores it), the signature and every level into `set`, a fresh
// set that the caller swaps in only on Done. Reports "%i/%i" per level and stops on Cancel.
// A level the table marks absent gets zero-filled planes, so no later step meets a missing
// plane. A damaged file is read as far as its data goes; what could not be read (a header
// outside the file or cut short, a plane running past the end or ending early) is listed in
// one message at the end and in `damaged`. A file that is no map file (notAMapFileReason) is
// refused with "... is not a map file: REASON". Returns JobResult::Done, or Failed after Cancel or
// when no level was read ("The map header does not point to any maps!").
int LoadMapsWorker(Progress& progress, std::span<const uint8_t> header,
                   std::span<const uint8_t> map, const MapReadOptions& options, LevelSet& set,
                   Prompter& prompter, std::vector<std::string>* damaged = nullptr);

// Why `map` is no map file at all, or nothing when it is one (perhaps a damaged one). A file
// with the game's "TED5v1.0" signature or our own is a map file; one without it is refused
// when no level header the table points to is a level header: none leaves room for its 40
// bytes, has a size of 1..64 tiles each way and a name that is text.
std::optional<std::string> notAMapFileReason(std::span<const uint8_t> map,
                                             std::span<const int32_t> headerOffsets);

// True when `block` (a stored plane) is RLEW only: its first word is 8192 and the RLEW stream
// behind it expands to exactly one plane, ending where the block ends.
bool isRlewOnlyPlane(std::span<const uint8_t> block, uint16_t rlewTag);

// The signature flags of a map file: "3P" right after the first colon sets the third plane,
// then ":FF" (or "FF" right after the colon) the feature flags.
void readMapSignature(std::span<const uint8_t> map, bool& thirdPlane, bool& featureFlags);

} // namespace zentrik
