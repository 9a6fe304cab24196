#pragma once

#include "music/MusicSet.h"
#include "platform/Prompter.h"
#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <vector>

namespace zentrik {

// The two files of an audio archive.
struct AudioArchiveFiles {
    std::vector<uint8_t> audiohed;
    std::vector<uint8_t> audiot;
};

// Rebuilds an archive with some chunks replaced (chunk number -> its new bytes). Every other
// chunk, and whatever lies before the first or after the last offset, is copied byte for
// byte; the header keeps its number of entries. A header whose offsets do not describe the
// file, a replacement of a chunk the header lacks, or a result too large for the header's
// 32-bit offsets is refused.
Result<AudioArchiveFiles>
rebuildAudioArchive(std::span<const uint8_t> audiohed, std::span<const uint8_t> audiot,
                    const std::map<int, std::span<const uint8_t>>& replaced);

// "Save music": the set's songs written into the archive it was loaded from (its AUDIOT and
// AUDIOHED, unless other targets are named), both through .tmp and .bak and replaced together
// or not at all. Failures are reported with the caption "Save music".
bool saveMusicSet(const MusicSet& set, Prompter& prompter, std::filesystem::path audiot = {},
                  std::filesystem::path audiohed = {});

} // namespace zentrik
