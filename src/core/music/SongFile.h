#pragma once

#include "platform/Prompter.h"
#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zentrik {

// The IMF events of a song file: type 1 starts with a u16 length of its events (what follows
// them may be a name block), type 0 is nothing but events. WLF files are IMF files at the
// game's 700 Hz.
struct SongFileParts {
    std::span<const uint8_t> events;
    std::span<const uint8_t> nameBlock; // type 1 only, and only when it names the song
};
SongFileParts songFileParts(std::span<const uint8_t> file);

// The chunk a song file makes for a slot: u16 length, the events, then the slot's name block
// (or the file's, when the slot has none). Refused: a file without events, and one whose
// events are too many for the game's u16 length field.
Result<std::vector<uint8_t>> songChunkFromFile(std::span<const uint8_t> file,
                                               std::span<const uint8_t> slotChunk);

// Song files are taken at the game's 700 Hz: .imf and .wlf files are; any other extension is
// said to be read so.
void noteTickRate(const std::filesystem::path& file, Prompter& prompter);

} // namespace zentrik
