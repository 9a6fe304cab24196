#include "pagefile/Wav.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace zentrik {

namespace {

constexpr const char* kFileError = "File error";
constexpr uint16_t kMono = 1;
constexpr uint16_t kBits8 = 8;
constexpr uint16_t kBits16 = 16;
constexpr int kSilence = 128;

bool tagIs(std::span<const uint8_t> bytes, size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

constexpr uint16_t kBits24 = 24;
constexpr uint16_t kBits32 = 32;

// The first channel's sample of frame j, centred on 0: 8-bit data as it is, deeper data at
// the scale of 16 bits; 0 outside the data.
int sampleAt(const WavData& w, int64_t j, int64_t frames) {
    if (j < 0 || j >= frames)
        return 0;
    const size_t at = size_t(j) * w.blockAlign;
    const size_t bytes = w.bits / 8u;
    if (at >= w.data.size() || bytes > w.data.size() - at)
        return 0;
    const uint8_t* p = w.data.data() + at;
    switch (w.bits) {
    case kBits8:
        return int(p[0]) - kSilence;
    case kBits16:
        return int16_t(loadLe16(p));
    case kBits24:
        return int16_t(p[1] | (p[2] << 8)); // the top two bytes of the three
    default:
        return int16_t(loadLe16(p + 2)); // 32 bits: the top two bytes of the four
    }
}

} // namespace

std::vector<uint8_t> wavImage(std::span<const uint8_t> samples, int rate) {
    ByteWriter w(kWavHeaderBytes + samples.size());
    w.text("RIFF");
    w.u32(uint32_t(samples.size() + kWavHeaderBytes - kRiffChunkHeaderBytes));
    w.text("WAVEfmt ");
    w.u32(kWavFmtFieldBytes);
    w.u16(kWavPcm);
    w.u16(kMono);
    w.u32(uint32_t(rate));
    w.u32(uint32_t(rate)); // bytes per second
    w.u16(1);              // block align
    w.u16(kBits8);
    w.text("data");
    w.u32(uint32_t(samples.size()));
    w.bytes(samples);
    return w.take();
}

Result<WavData> readWav(std::span<const uint8_t> file) {
    const Error notPcm{"Not a PCM wave file!", kFileError};
    ByteReader r(file);
    auto head = r.bytes(kWavReadHeaderBytes);
    if (!head || !tagIs(*head, 0, "RIFF") || !tagIs(*head, 8, "WAVE") || !tagIs(*head, 12, "fmt "))
        return notPcm;
    const uint32_t fmtSize = loadLe32(head->data() + 16);
    WavData w;
    w.formatTag = loadLe16(head->data() + 20);
    w.channels = loadLe16(head->data() + 22);
    w.rate = loadLe32(head->data() + 24);
    w.blockAlign = loadLe16(head->data() + 32);
    w.bits = loadLe16(head->data() + 34);
    if (w.formatTag != kWavPcm)
        return Error{"Sorry, but compressed waves are not supported.", kFileError};
    // Other depths would import as silence while saying they worked.
    if (w.bits != kBits8 && w.bits != kBits16 && w.bits != kBits24 && w.bits != kBits32)
        return Error{"Sorry, but only waves of 8, 16, 24 or 32 bits per sample are supported.",
                     kFileError};
    // A zero block size or rate would divide by zero in the conversion.
    if (fmtSize < kWavFmtFieldBytes || w.blockAlign == 0 || w.rate == 0 || w.channels == 0)
        return notPcm;
    if (!r.skip(fmtSize - kWavFmtFieldBytes + (fmtSize & 1)))
        return Error{"Data chunk not found!", kFileError};
    for (;;) {
        auto id = r.bytes(4);
        auto size = r.u32();
        if (!id || !size)
            return Error{"Data chunk not found!", kFileError};
        if (std::memcmp(id->data(), "data", 4) == 0) {
            // A data chunk that claims more than the file holds gives what is there.
            w.data = *r.bytes(std::min<size_t>(*size, r.remaining()));
            return w;
        }
        // RIFF pads odd-sized chunks to an even length.
        const size_t skip = size_t(*size) + (*size & 1);
        if (!r.skip(std::min(skip, r.remaining())) || r.atEnd())
            return Error{"Data chunk not found!", kFileError};
    }
}

std::optional<std::vector<uint8_t>> convertWav(const WavData& wav, int rate, Prompter& prompter) {
    const int64_t frames = int64_t(wav.data.size() / wav.blockAlign);
    const int64_t length = frames * rate / int64_t(wav.rate);
    int64_t produced = length;
    if (length > int64_t(kMaxSoundLength)) {
        const Answer a = prompter.ask("This wave file will result in a sound bigger than 64K!\nDo "
                                      "you want it to be cut at 64K or do you want to cancel ?",
                                      "Sound too long!", Buttons::OkCancel, MessageIcon::Question);
        if (a != Answer::Ok)
            return std::nullopt;
        produced = int64_t(kMaxSoundLength);
    }
    std::vector<uint8_t> out(static_cast<size_t>(produced));
    for (int64_t i = 0; i < produced; ++i) {
        const double t = double(frames) * double(i) / double(length);
        const int64_t k = int64_t(t);
        const double f = t - double(k);
        const double v = sampleAt(wav, k - 1, frames) * f * (f - 1) / 2 -
                         (f * f - 1) * sampleAt(wav, k, frames) +
                         sampleAt(wav, k + 1, frames) * f * (f + 1) / 2;
        int value = int(std::trunc(v));
        if (wav.bits != kBits8)
            value >>= 8;
        // The interpolation overshoots on sharp edges; clamping keeps a loud peak from
        // wrapping round into a full-scale click.
        value = std::clamp(value, -kSilence, kSilence - 1);
        out[size_t(i)] = uint8_t(value + kSilence);
    }
    return out;
}

std::optional<int> checkSampleRate(const std::string& text, Prompter& prompter) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && v >= kMinSampleRate && v <= kMaxSampleRate)
        return int(v);
    prompter.message("Only sample rates between 4000 and 44100 allowed!", "Illegal sample rate!",
                     MessageIcon::None);
    return std::nullopt;
}

} // namespace zentrik
