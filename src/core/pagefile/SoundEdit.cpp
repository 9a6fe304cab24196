#include "pagefile/SoundEdit.h"

#include "io/SafeFile.h"
#include "pagefile/Wav.h"

#include <algorithm>

namespace zentrik {

namespace {
constexpr uint8_t kSilentSample = 128;
constexpr const char* kTooManySounds = "Too many sounds! A VSWAP file holds at most 1024.";
} // namespace

int insertSound(SoundSet& set, int current, Prompter* prompter) {
    if (set.count() >= kMaxSoundEntries) {
        if (prompter)
            prompter->message(kTooManySounds, kVswapCaption, MessageIcon::Exclamation);
        return -1;
    }
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

bool exportSound(const Sound& sound, const std::filesystem::path& path, int rate,
                 Prompter& prompter) {
    if (sound.absent) {
        prompter.message("This sound is absent from the page file: it has no samples to export.",
                         "Zentrik", MessageIcon::Exclamation);
        return false;
    }
    if (auto st = replaceFile(path, wavImage(sound.samples, rate)); !st) {
        prompter.message(path.string(), "Cannot Write", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace zentrik
