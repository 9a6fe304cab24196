#pragma once

#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "vgagraph/VgaModels.h"

namespace zentrik {

// The four writers rebuild the target archive (its VGAGRAPH read first, the other kinds'
// chunks copied as stored) and write VGADICT, VGAGRAPH and VGAHEAD as .tmp files; the targets
// are replaced (keeping .bak copies) only when all three are complete. A failure or Cancel
// leaves the target archive as it was. Only SaveGraphics can create a new archive. Each clears
// its kind's changed flag on success and never changes the models otherwise.
bool SaveGraphics(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                  JobRunner& runner);
bool SaveFonts(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
               JobRunner& runner);
bool SaveTile8s(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                JobRunner& runner);
bool SaveScreens(VgaGraphState& state, const VgaFileSet& target, Prompter& prompter,
                 JobRunner& runner);

// Rebuilds graphics, screens, fonts and tile8s in this order in memory and replaces the target
// once, so its .bak is the archive as it was before; any failure leaves the target untouched.
// A kind that is not loaded (or, with onlyChanged, not changed) is skipped, so the target
// keeps its chunks of that kind. False on a failure or when no kind is loaded at all.
bool SaveAllGraphics(VgaGraphState& state, const VgaFileSet& target, bool onlyChanged,
                     Prompter& prompter, JobRunner& runner);

// The dictionary in its file form.
std::vector<uint8_t> SaveDictionaryBytes(const VgaGraphState& state);

} // namespace zentrik
