// The library's C interface: one real-time player per process, plus offline renderers.
#include "music/ImfLibApi.h"

#include "AudioOutput.h"
#include "ImfEngine.h"

#include <memory>
#include <mutex>

using zentrik::imf::AudioOutput;
using zentrik::imf::ImfEngine;

namespace {

constexpr uint32_t kFallbackRate = 44100;

// The player's state. The mutex is held only for a register update or one block of samples,
// so the caller's thread never waits for longer than that.
struct Player {
    std::mutex mutex;
    std::unique_ptr<ImfEngine> engine;
    std::unique_ptr<AudioOutput> output;
    IMFEndedCallback ended = nullptr;
    void* endedContext = nullptr;
};

Player& player() {
    static Player p;
    return p;
}

void pullSamples(int16_t* out, size_t frames) {
    Player& p = player();
    IMFEndedCallback callback = nullptr;
    void* context = nullptr;
    {
        std::lock_guard lock(p.mutex);
        if (!p.engine)
            return;
        if (p.engine->render(out, frames) > 0) {
            callback = p.ended;
            context = p.endedContext;
        }
    }
    if (callback)
        callback(context);
}

template <class Fn> void withEngine(Fn fn) {
    Player& p = player();
    std::lock_guard lock(p.mutex);
    if (p.engine)
        fn(*p.engine);
}

} // namespace

struct IMFRenderer {
    explicit IMFRenderer(uint32_t rate) : engine(rate) {}
    ImfEngine engine;
    IMFEndedCallback ended = nullptr;
    void* endedContext = nullptr;
};

extern "C" {

void InitIMFPlayer(void) {
    Player& p = player();
    {
        std::lock_guard lock(p.mutex);
        if (p.engine)
            return;
    }
    std::unique_ptr<AudioOutput> output = zentrik::imf::openDeviceOutput();
    if (!output)
        output = zentrik::imf::openClockOutput(kFallbackRate);
    {
        std::lock_guard lock(p.mutex);
        p.engine = std::make_unique<ImfEngine>(output->sampleRate());
    }
    output->start(pullSamples);
    p.output = std::move(output);
}

void ShutdownIMFPlayer(void) {
    Player& p = player();
    if (p.output)
        p.output->shutdown();
    p.output.reset();
    std::lock_guard lock(p.mutex);
    p.engine.reset();
    p.ended = nullptr;
    p.endedContext = nullptr;
}

int IMFPlayerHasAudioDevice(void) {
    Player& p = player();
    return p.output && p.output->hasDevice() ? 1 : 0;
}

void StartIMFMusic(const uint8_t* data, uint32_t length) {
    withEngine([&](ImfEngine& e) { e.start(data, length, 0); });
}

void PlayIMFMusicAt(const uint8_t* data, uint32_t length, int32_t tick) {
    withEngine([&](ImfEngine& e) { e.start(data, length, tick); });
}

void PauseIMFMusic(void) {
    withEngine([](ImfEngine& e) { e.togglePause(); });
}

int32_t GetIMFPosition(void) {
    int32_t pos = 0;
    withEngine([&](ImfEngine& e) { pos = e.position(); });
    return pos;
}

void SetIMFEndedEvent(IMFEndedCallback callback, void* context) {
    Player& p = player();
    std::lock_guard lock(p.mutex);
    p.ended = callback;
    p.endedContext = context;
}

void StopIMFMusic(void) {
    withEngine([](ImfEngine& e) { e.stop(); });
}

void MuteIMFChannel(int channel, int mute) {
    withEngine([&](ImfEngine& e) { e.mute(channel, mute != 0); });
}

IMFRenderer* CreateIMFRenderer(uint32_t sampleRate) {
    if (sampleRate == 0)
        return nullptr;
    return new IMFRenderer(sampleRate);
}

void DestroyIMFRenderer(IMFRenderer* renderer) {
    delete renderer;
}

void StartIMFRenderer(IMFRenderer* renderer, const uint8_t* data, uint32_t length, int32_t tick) {
    if (renderer)
        renderer->engine.start(data, length, tick);
}

void MuteIMFRendererChannel(IMFRenderer* renderer, int channel, int mute) {
    if (renderer)
        renderer->engine.mute(channel, mute != 0);
}

void SetIMFRendererEndedEvent(IMFRenderer* renderer, IMFEndedCallback callback, void* context) {
    if (!renderer)
        return;
    renderer->ended = callback;
    renderer->endedContext = context;
}

void RenderIMFSamples(IMFRenderer* renderer, int16_t* samples, uint32_t frames) {
    if (!renderer || !samples)
        return;
    if (renderer->engine.render(samples, frames) > 0 && renderer->ended)
        renderer->ended(renderer->endedContext);
}

int32_t GetIMFRendererPosition(IMFRenderer* renderer) {
    return renderer ? renderer->engine.position() : 0;
}

int IMFRendererPlaying(IMFRenderer* renderer) {
    return renderer && renderer->engine.playing() ? 1 : 0;
}

} // extern "C"
