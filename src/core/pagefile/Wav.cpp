#include "pagefile/Wav.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pagefile/Resample.h"

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
constexpr uint16_t kBits24 = 24;
constexpr uint16_t kBits32 = 32;
constexpr int kSilence = 128;

bool tagIs(std::span<const uint8_t> bytes, size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
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

std::optional<std::vector<uint8_t>> convertSound(const DecodedSound& sound, int rate,
                                                 Prompter& prompter) {
    if (sound.rate <= 0 || rate <= 0)
        return std::vector<uint8_t>{};
    const int64_t length = int64_t(sound.mono.size()) * rate / sound.rate;
    std::span<const float> in = sound.mono;
    if (length > int64_t(kMaxSoundLength)) {
        const Answer a = prompter.ask("This wave file will result in a sound bigger than 64K!\nDo "
                                      "you want it to be cut at 64K or do you want to cancel ?",
                                      "Sound too long!", Buttons::OkCancel, MessageIcon::Question);
        if (a != Answer::Ok)
            return std::nullopt;
        // Only the frames that make the first 64K, with a margin for the filter's reach.
        constexpr int64_t kMargin = 256;
        const int64_t need = (int64_t(kMaxSoundLength) + kMargin) * sound.rate / rate;
        in = in.first(size_t(std::min<int64_t>(need, int64_t(in.size()))));
    }
    std::vector<float> resampled = resampleMono(in, sound.rate, rate);
    resampled.resize(std::min(resampled.size(), kMaxSoundLength));
    std::vector<uint8_t> out(resampled.size());
    for (size_t i = 0; i < out.size(); ++i) {
        // Full scale is 128 steps either way; louder peaks are clamped, never wrapped round
        // into a full-scale click.
        const long v = std::lround(double(resampled[i]) * kSilence);
        out[i] = uint8_t(std::clamp<long>(v, -kSilence, kSilence - 1) + kSilence);
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
