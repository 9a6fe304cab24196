#pragma once

#include "pagefile/SoundFile.h"
#include "platform/Prompter.h"
#include "Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// The WAV image written for export and playback: 44 header bytes, 8-bit unsigned mono.
inline constexpr size_t kWavHeaderBytes = 44;
inline constexpr size_t kWavReadHeaderBytes = 36; // up to the end of the 16 "fmt " bytes
inline constexpr size_t kWavFmtFieldBytes = 16;
inline constexpr size_t kRiffChunkHeaderBytes = 8;
inline constexpr uint16_t kWavPcm = 1;

inline constexpr int kMinSampleRate = 4000;
inline constexpr int kMaxSampleRate = 44100;
inline constexpr int kDefaultSampleRate = 7042;
inline constexpr size_t kMaxSoundLength = 65535;

std::vector<uint8_t> wavImage(std::span<const uint8_t> samples, int rate);

// A PCM WAV file as read (the player takes the program's own images): the "fmt " fields and
// the data chunk's bytes.
struct WavData {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    std::span<const uint8_t> data;
};

// "fmt " first, then chunks skipped by their size until "data". Errors carry the caption
// "File error".
Result<WavData> readWav(std::span<const uint8_t> file);

// Turns a decoded sound into the game's 8-bit unsigned samples at `rate`, resampled without
// aliasing. A result longer than 65535 samples asks whether to cut it; nothing comes back when
// the user cancels.
std::optional<std::vector<uint8_t>> convertSound(const DecodedSound& sound, int rate,
                                                 Prompter& prompter);

// The sample-rate field: 4000..44100 accepted, anything else refused with its message.
std::optional<int> checkSampleRate(const std::string& text, Prompter& prompter);

} // namespace zentrik
