#pragma once

#include <span>
#include <vector>

namespace zentrik {

// Band-limited rate conversion of one channel (libsoxr, high quality): everything above the
// target's Nyquist limit is filtered out instead of folding back as an alias. The result has
// frames x to / from samples (truncated); the same rate copies the samples unchanged.
std::vector<float> resampleMono(std::span<const float> in, int from, int to);

} // namespace zentrik
