#pragma once

#include "pagefile/PageFile.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <span>
#include <vector>

namespace zentrik {

// The three saving jobs. Each rebuilds the whole page file into `out`: its own part from
// memory, the other two carried over chunk by chunk from `old` (the file at the target path,
// empty when there is none) and packed anew. Absent chunks stay absent (offset 0, length 0),
// so the game sees the same numbering as before. JobResult::Done or JobResult::Failed.

int SaveTexturesWorker(std::span<const uint8_t> old, const WallSet& walls, Progress& progress,
                       Prompter& prompter, std::vector<uint8_t>& out);

int SaveSpritesWorker(std::span<const uint8_t> old, const SpriteSet& sprites, int spriteCompression,
                      Progress& progress, Prompter& prompter, std::vector<uint8_t>& out);

// Each sound becomes max(1, ceil(length / 4096)) pages and the info chunk comes last.
int SaveSoundsWorker(std::span<const uint8_t> old, const SoundSet& sounds, Progress& progress,
                     Prompter& prompter, std::vector<uint8_t>& out);

} // namespace zentrik
