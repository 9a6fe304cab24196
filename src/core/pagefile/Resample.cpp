#include "pagefile/Resample.h"

#include <soxr.h>

#include <cstdint>

namespace zentrik {

std::vector<float> resampleMono(std::span<const float> in, int from, int to) {
    if (from <= 0 || to <= 0 || in.empty())
        return {};
    if (from == to)
        return {in.begin(), in.end()};
    const size_t length = size_t(uint64_t(in.size()) * uint64_t(to) / uint64_t(from));
    std::vector<float> out(length);
    if (length == 0)
        return out;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    size_t done = 0;
    const soxr_error_t error =
        soxr_oneshot(double(from), double(to), 1, in.data(), in.size(), nullptr, out.data(), length,
                     &done, &io, &quality, nullptr);
    if (error)
        return {};
    out.resize(done); // the resampler's tail can come out a sample short
    out.resize(length, 0.0f);
    return out;
}

} // namespace zentrik
