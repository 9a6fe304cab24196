#pragma once

#include "pagefile/PageFile.h"
#include "platform/Prompter.h"

#include <span>

namespace zentrik {

// The sound page's edits of the SoundSet.

// A one-sample silent sound after the current one (the first sound when there are none).
// Returns the new sound's index.
int insertSound(SoundSet& set, int current);

// Removes the current sound; returns the new current index, clamped to count - 1 and to 0.
int removeSound(SoundSet& set, int current);

// Converts a WAV file at `rate` and replaces the current sound with it (with no sounds yet it
// becomes the first). Every refusal shows its message and changes nothing.
bool importSound(SoundSet& set, int current, std::span<const uint8_t> wavFile, int rate,
                 Prompter& prompter);

} // namespace zentrik
