#pragma once

#include "platform/Prompter.h"
#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// The audio header is a table of u32 offsets into the audio file; chunk i runs from entry i to
// entry i + 1, so a header of L bytes describes L / 4 - 1 chunks.
inline constexpr size_t kAudioOffsetBytes = 4;

// A chunk is taken for a song when its first 30 u32 values (after an optional u16 length
// field) hold fewer than 15 that are zero or above 0xFFFF. Sound effects rarely look like that.
inline constexpr size_t kMinSongChunkBytes = 62;
inline constexpr int kSongTestValues = 30;
inline constexpr int kSongTestBadValues = 15;

// Songs keep their whole chunk plus this many zero bytes, so a 2- or 3-byte last event can be
// read as a full one.
inline constexpr size_t kSongPadding = 3;

struct Song {
    std::vector<uint8_t> buffer; // the stored chunk followed by kSongPadding zero bytes
    uint32_t length = 0;         // the chunk's length in bytes
    int chunk = 0;               // its chunk number in the archive

    std::span<const uint8_t> bytes() const { return std::span(buffer).first(length); }
};

struct MusicSet {
    std::vector<Song> songs;
    bool musicLoaded = false;
    std::filesystem::path audiotPath;
    std::filesystem::path audiohedPath;

    int songCount() const { return int(songs.size()); }
};

// The block after a song's music that names it ("CORNER", "WARMARCH", ...): everything after
// the IMF data of a chunk with a length field; a chunk without one (field 0) has none.
std::span<const uint8_t> nameBlockOf(std::span<const uint8_t> chunk);
// The song's name from its name block (a word after the block's first two bytes, ended by a
// zero byte), or empty. Chunks without a length field that hold nothing but a name block (the
// shareware episode's missing songs) are named too.
std::string songName(std::span<const uint8_t> chunk);

// The song test of the chunk at [start, start + length) of the audio file. The values it reads
// may run past the chunk into the next one, but never past the file.
bool isSongChunk(std::span<const uint8_t> audiot, uint64_t start, int64_t length);

// The header's chunk offsets (as signed 32-bit values, the way the game reads them).
std::vector<int64_t> readAudioOffsets(std::span<const uint8_t> audiohed);

// Builds a music set from the two files' bytes. Error captions are those of the loader.
Result<MusicSet> readMusicSet(std::span<const uint8_t> audiohed, std::span<const uint8_t> audiot);

// AUDIOHED beside the given AUDIOT, with the same extension (any case).
std::filesystem::path audioHeadPathFor(const std::filesystem::path& audiot);

// Reads the songs of AUDIOT and its AUDIOHED (the one beside it unless named) into set. On
// failure a message box, and set is left empty with musicLoaded clear.
bool LoadMusic(MusicSet& set, const std::filesystem::path& audiot, Prompter& prompter,
               const std::filesystem::path& audiohed = {});

} // namespace zentrik
