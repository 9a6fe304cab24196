#pragma once

#include "imaging/ColorMatch.h"
#include "pagefile/PageFile.h"
#include "platform/Progress.h"

namespace zentrik {

// "Toggle HiRes": 64 -> 128 by blending or stretching, 128 -> 64 by shrinking.
enum class ResolutionChange { Blend, Stretch, Shrink };

// Each job builds a whole new set into `out`; the caller installs it only on JobResult::Done,
// so a Cancel leaves the old set as it was. A change that does not fit the set's side (blend
// or stretch at 128, shrink at 64) ends with JobResult::FailedUntouched. Empty walls and
// sprites stay empty.
int ChangeWallResolutionWorker(const WallSet& in, ResolutionChange change,
                               const GamePalette& palette, NearestColorTable& colors,
                               Progress& progress, WallSet& out);
int ChangeSpriteResolutionWorker(const SpriteSet& in, ResolutionChange change,
                                 const GamePalette& palette, NearestColorTable& colors,
                                 Progress& progress, SpriteSet& out);

// One picture at the other side: pixel (x, y) with y from the top, wrapping round at the
// edges as walls tile. With `sprite`, index 255 is transparent and the opacity rule applies.
IndexedImage changeImageResolution(const IndexedImage& in, ResolutionChange change, bool sprite,
                                   const GamePalette& palette, NearestColorTable& colors);

} // namespace zentrik
