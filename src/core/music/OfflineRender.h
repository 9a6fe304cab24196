#pragma once

#include "music/ImfPlayerBinding.h"
#include "platform/Progress.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr uint32_t kDefaultRenderRate = 44100;

struct RenderRequest {
    uint32_t rate = kDefaultRenderRate;
    uint64_t ticks = 0;     // how much of the song, in ticks of 1/700 s
    std::vector<int> muted; // OPL channels 0 .. 8 left silent
};

// Renders IMF events offline through the player library's renderer into 16-bit mono samples.
// Reports its progress per block and stops with nothing when cancelled or when the library
// has no renderer. The command-line tool and the music page share it, so both write the same
// bytes for the same song.
std::optional<std::vector<int16_t>> renderImf(const ImfLibFunctions& lib,
                                              std::span<const uint8_t> imf,
                                              const RenderRequest& request,
                                              Progress* progress = nullptr);

// A 16-bit mono PCM WAV file of the samples.
std::vector<uint8_t> waveFile16(std::span<const int16_t> samples, uint32_t rate);

} // namespace zentrik
