#pragma once

#include "Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// A sound file decoded for import: every channel mixed into one, samples in -1 .. 1.
struct DecodedSound {
    std::vector<float> mono;
    int rate = 0;
    int channels = 0;
    std::string format; // "WAV", "FLAC", ... as the decoder named it
};

// How much sample data a WAV or AIFF file claims and how much of it the file holds. Other
// formats (and files whose data chunk is whole) report held == claimed.
struct DataExtent {
    uint64_t claimed = 0;
    uint64_t held = 0;
    bool truncated() const { return held < claimed; }
};
DataExtent soundDataExtent(std::span<const uint8_t> file);

// Decodes WAV (PCM of any depth, float, extensible), FLAC, Ogg Vorbis, AIFF and the other
// formats libsndfile reads. A file it cannot read gets a message that names what the file is
// when that can be told ("MP3", "a WAV file of format 0x0055"). Captions are "File error".
Result<DecodedSound> decodeSoundFile(std::span<const uint8_t> file);

} // namespace zentrik
