#include "pagefile/SoundEdit.h"

#include "io/SafeFile.h"
#include "pagefile/Wav.h"

#include <algorithm>
#include <string>

namespace zentrik {

namespace {
constexpr uint8_t kSilentSample = 128;
constexpr const char* kFileError = "File error";
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

bool importSound(SoundSet& set, int current, std::span<const uint8_t> soundFile, int rate,
                 Prompter& prompter) {
    // A data chunk that claims more than the file holds: say so before anything changes.
    const DataExtent extent = soundDataExtent(soundFile);
    if (extent.truncated()) {
        const std::string text = "The file ends after " + std::to_string(extent.held) + " of " +
                                 std::to_string(extent.claimed) + " bytes";
        if (extent.held == 0) {
            prompter.message(text + ".\nIt holds no samples, so the sound is left as it was.",
                             kFileError, MessageIcon::Exclamation);
            return false;
        }
        if (prompter.ask(text + ".\nImport the samples it holds?", "Sound file cut short!",
                         Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
            return false;
    }
    auto decoded = decodeSoundFile(soundFile);
    if (!decoded) {
        prompter.message(decoded.error().text, decoded.error().caption, MessageIcon::Exclamation);
        return false;
    }
    auto samples = convertSound(*decoded, rate, prompter);
    if (!samples)
        return false;
    // An empty sound would replace the old one by nothing and be saved so.
    if (samples->empty()) {
        prompter.message("The file gives no samples at " + std::to_string(rate) +
                             " Hz, so the sound is left as it was.",
                         kFileError, MessageIcon::Exclamation);
        return false;
    }
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
