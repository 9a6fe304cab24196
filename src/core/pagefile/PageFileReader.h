#pragma once

#include "pagefile/PageFile.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <span>

namespace zentrik {

// The three reading jobs. Each builds a new set from the whole file's bytes and hands it over
// only when it ends with JobResult::Done; messages go to the prompter as they arise.

// Walls of 64 x 64 or (when wall 0 is 16384 bytes long) 128 x 128. A wall of any other length
// is dropped with "Error 10: TextureLength is not constant !!"; absent walls read as empty.
// A file without walls ends with JobResult::FailedUntouched.
int LoadTexturesWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                       WallSet& out);

// Sprites, 128 x 128 for the whole set when any sprite reaches column 64.
int LoadSpritesWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                      SpriteSet& out);

// Sounds as the info table lists them; sounds on absent pages read as empty but keep their
// entry and number.
int LoadSoundsWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                     SoundSet& out);

} // namespace zentrik
