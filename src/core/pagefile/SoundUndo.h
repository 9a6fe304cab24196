#pragma once

#include "app/UndoHistory.h"
#include "pagefile/PageFile.h"
#include "platform/Prompter.h"

#include <span>

namespace zentrik {

// The sound page's edits as undo steps: each does the edit of SoundEdit.h and records one step
// in the history; the steps return the sound to show. The set must outlive the history's
// steps (a load clears the history).
int insertSoundStep(SoundSet& set, int current, UndoHistory& history, Prompter* prompter);
// Returns the new current index (nothing changes without sounds).
int removeSoundStep(SoundSet& set, int current, UndoHistory& history);
bool importSoundStep(SoundSet& set, int current, std::span<const uint8_t> soundFile, int rate,
                     Prompter& prompter, UndoHistory& history);

} // namespace zentrik
