#include "music/OfflineRender.h"

#include "io/ByteWriter.h"
#include "music/SongModel.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

namespace {

constexpr uint32_t kRenderBlock = 4096;
constexpr uint32_t kWaveHeaderBytes = 36; // RIFF size counts from "WAVE" to the data
constexpr uint32_t kFormatChunkBytes = 16;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kBytesPerSample = 2;
constexpr int kProgressSteps = 100;

bool hasRenderer(const ImfLibFunctions& lib) {
    return lib.createRenderer && lib.destroyRenderer && lib.startRenderer && lib.muteRenderer &&
           lib.render;
}

} // namespace

std::optional<std::vector<int16_t>> renderImf(const ImfLibFunctions& lib,
                                              std::span<const uint8_t> imf,
                                              const RenderRequest& request, Progress* progress) {
    if (!hasRenderer(lib) || request.rate == 0)
        return std::nullopt;
    IMFRenderer* r = lib.createRenderer(request.rate);
    if (!r)
        return std::nullopt;
    for (int ch : request.muted)
        lib.muteRenderer(r, ch, 1);
    lib.startRenderer(r, imf.data(), uint32_t(imf.size()), 0);
    const uint64_t frames = request.ticks * request.rate / kImfTicksPerSecond;
    std::vector<int16_t> samples(size_t(frames), 0);
    if (progress)
        progress->setRange(0, kProgressSteps);
    int shown = -1;
    for (uint64_t at = 0; at < frames; at += kRenderBlock) {
        lib.render(r, samples.data() + at, uint32_t(std::min<uint64_t>(kRenderBlock, frames - at)));
        if (!progress)
            continue;
        if (progress->cancelled()) {
            lib.destroyRenderer(r);
            return std::nullopt;
        }
        const int step = int(at * kProgressSteps / frames);
        if (step != shown) {
            shown = step;
            progress->setPosition(step);
            char text[32];
            std::snprintf(text, sizeof text, "%i/%i", int(at / request.rate),
                          int(frames / request.rate));
            progress->setCounter(text);
        }
    }
    lib.destroyRenderer(r);
    return samples;
}

std::vector<uint8_t> waveFile16(std::span<const int16_t> samples, uint32_t rate) {
    const uint32_t dataBytes = uint32_t(samples.size() * kBytesPerSample);
    ByteWriter w(kWaveHeaderBytes + 8 + dataBytes);
    w.text("RIFF");
    w.u32(kWaveHeaderBytes + dataBytes);
    w.text("WAVEfmt ");
    w.u32(kFormatChunkBytes);
    w.u16(kFormatPcm);
    w.u16(1); // mono
    w.u32(rate);
    w.u32(rate * kBytesPerSample); // bytes per second
    w.u16(kBytesPerSample);        // block align
    w.u16(16);                     // bits per sample
    w.text("data");
    w.u32(dataBytes);
    for (int16_t s : samples)
        w.u16(uint16_t(s));
    return w.take();
}

} // namespace zentrik
