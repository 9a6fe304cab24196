#include "pagefile/SoundUndo.h"

#include "pagefile/SoundEdit.h"

#include <algorithm>

namespace zentrik {

namespace {

// A sound put in at index, or taken out there: the two directions of one step.
int putSound(SoundSet& set, int index, const Sound& sound) {
    index = std::clamp(index, 0, set.count());
    set.sounds.insert(set.sounds.begin() + index, sound);
    return index;
}

int takeSound(SoundSet& set, int index) {
    if (index >= 0 && index < set.count())
        set.sounds.erase(set.sounds.begin() + index);
    return std::max(0, std::min(index, set.count() - 1));
}

int setSound(SoundSet& set, int index, const Sound& sound) {
    if (index >= 0 && index < set.count())
        set.sounds[size_t(index)] = sound;
    return index;
}

} // namespace

int insertSoundStep(SoundSet& set, int current, UndoHistory& history, Prompter* prompter) {
    const int at = insertSound(set, current, prompter);
    if (at < 0)
        return at;
    const Sound made = set.sounds[size_t(at)];
    history.push({[&set, at] { return takeSound(set, at); },
                  [&set, at, made] { return putSound(set, at, made); }});
    return at;
}

int removeSoundStep(SoundSet& set, int current, UndoHistory& history) {
    if (current < 0 || current >= set.count())
        return removeSound(set, current);
    const Sound gone = set.sounds[size_t(current)];
    const int next = removeSound(set, current);
    history.push({[&set, current, gone] { return putSound(set, current, gone); },
                  [&set, current] { return takeSound(set, current); }});
    return next;
}

bool importSoundStep(SoundSet& set, int current, std::span<const uint8_t> soundFile, int rate,
                     Prompter& prompter, UndoHistory& history) {
    const bool wasEmpty = set.sounds.empty();
    const int at = wasEmpty ? 0 : std::clamp(current, 0, set.count() - 1);
    const Sound old = wasEmpty ? Sound{} : set.sounds[size_t(at)];
    if (!importSound(set, current, soundFile, rate, prompter))
        return false;
    const Sound made = set.sounds[size_t(at)];
    if (wasEmpty)
        history.push({[&set] { return takeSound(set, 0); },
                      [&set, made] { return putSound(set, 0, made); }});
    else
        history.push({[&set, at, old] { return setSound(set, at, old); },
                      [&set, at, made] { return setSound(set, at, made); }});
    return true;
}

} // namespace zentrik
