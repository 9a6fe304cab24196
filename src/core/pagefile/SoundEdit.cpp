#include "pagefile/SoundEdit.h"

#include "pagefile/Wav.h"

#include <algorithm>

namespace zentrik {

namespace {
constexpr uint8_t kSilentSample = 128;
}

int insertSound(SoundSet& set, int current) {
    const int at = set.sounds.empty() ? 0 : std::clamp(current, 0, set.count() - 1) + 1;
    set.sounds.insert(set.sounds.begin() + at, Sound::fromSamples({kSilentSample}));
    return at;
}

int removeSound(SoundSet& set, int current) {
    if (current >= 0 && current < set.count())
        set.sounds.erase(set.sounds.begin() + current);
    return std::max(0, std::min(current, set.count() - 1));
}

bool importSound(SoundSet& set, int current, std::span<const uint8_t> wavFile, int rate,
                 Prompter& prompter) {
    auto wav = readWav(wavFile);
    if (!wav) {
        prompter.message(wav.error().text, wav.error().caption, MessageIcon::Exclamation);
        return false;
    }
    auto samples = convertWav(*wav, rate, prompter);
    if (!samples)
        return false;
    Sound sound = Sound::fromSamples(std::move(*samples));
    if (set.sounds.empty())
        set.sounds.push_back(std::move(sound));
    else
        set.sounds[size_t(std::clamp(current, 0, set.count() - 1))] = std::move(sound);
    return true;
}

} // namespace zentrik
