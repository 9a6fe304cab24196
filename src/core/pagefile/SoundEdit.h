#pragma once

#include "pagefile/PageFile.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <span>

namespace zentrik {

// The import dialog's filter: every format the import reads, then WAV alone.
inline constexpr const char* kSoundImportFilter =
    "Sound files|*.WAV;*.FLAC;*.OGG;*.OGA;*.AIF;*.AIFF;*.AIFC|Wavefile|*.WAV|All files|*.*||";

// The sound page's edits of the SoundSet.

// A one-sample silent sound after the current one (the first sound when there are none).
// Returns the new sound's index; -1 when the set already holds the 1024 sounds a page file
// can take (with the prompter, that is said).
int insertSound(SoundSet& set, int current, Prompter* prompter = nullptr);

// Removes the current sound; returns the new current index, clamped to count - 1 and to 0.
int removeSound(SoundSet& set, int current);

// Decodes a sound file (WAV, FLAC, Ogg, AIFF, ...), mixes it to mono, resamples it to `rate`
// and replaces the current sound with it (with no sounds yet it becomes the first). A file
// cut short asks first; one that would leave the sound empty is refused. Every refusal shows
// its message and changes nothing.
bool importSound(SoundSet& set, int current, std::span<const uint8_t> soundFile, int rate,
                 Prompter& prompter);

// Writes the sound as an 8-bit WAV file at `rate`. A sound absent from the page file has no
// samples to write and is refused; a file that cannot be written is reported.
bool exportSound(const Sound& sound, const std::filesystem::path& path, int rate,
                 Prompter& prompter);

// The samples a view may draw or play: exactly those held, never the info table's length.
inline std::span<const uint8_t> heldSamples(const Sound& sound) {
    return sound.samples;
}

} // namespace zentrik
