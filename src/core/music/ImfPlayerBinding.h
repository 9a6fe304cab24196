#pragma once

#include "music/ImfLibApi.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// What the music page needs of a player. The library binding is one; tests use a recorder.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    virtual bool ready() const = 0;
    virtual void start(std::span<const uint8_t> imf) = 0;
    virtual void playAt(std::span<const uint8_t> imf, int32_t tick) = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual int32_t position() = 0;
    virtual void mute(int channel, bool muted) = 0;
    // False when the sound goes nowhere (no audio device): the page says so.
    virtual bool hasAudioDevice() const { return true; }
};

// The player library's functions, found by name.
struct ImfLibFunctions {
    decltype(&InitIMFPlayer) init = nullptr;
    decltype(&StartIMFMusic) start = nullptr;
    decltype(&PauseIMFMusic) pause = nullptr;
    decltype(&GetIMFPosition) position = nullptr;
    decltype(&SetIMFEndedEvent) setEnded = nullptr;
    decltype(&StopIMFMusic) stop = nullptr;
    decltype(&ShutdownIMFPlayer) shutdown = nullptr;
    decltype(&MuteIMFChannel) mute = nullptr;
    decltype(&PlayIMFMusicAt) playAt = nullptr;
    decltype(&IMFPlayerHasAudioDevice) hasDevice = nullptr; // optional
    // The offline renderer; optional for playback.
    decltype(&CreateIMFRenderer) createRenderer = nullptr;
    decltype(&DestroyIMFRenderer) destroyRenderer = nullptr;
    decltype(&StartIMFRenderer) startRenderer = nullptr;
    decltype(&MuteIMFRendererChannel) muteRenderer = nullptr;
    decltype(&RenderIMFSamples) render = nullptr;
    decltype(&GetIMFRendererPosition) rendererPosition = nullptr;
};

// The player library bound at run time. Without it (or with an old one) the program runs on
// without playback; the messages say what is missing.
class ImfPlayerBinding final : public MusicPlayer {
public:
    static constexpr const char* kLibraryFile = "libimflib.so";

    ImfPlayerBinding() = default;
    ~ImfPlayerBinding() override;
    ImfPlayerBinding(const ImfPlayerBinding&) = delete;
    ImfPlayerBinding& operator=(const ImfPlayerBinding&) = delete;

    // Where the library is looked for: the program's folder, then the system's search path.
    static std::vector<std::filesystem::path> defaultCandidates();

    // Opens the first candidate that loads and finds the functions. "libimflib.so not found!"
    // when none loads; the new-version message when MuteIMFChannel or PlayIMFMusicAt is
    // missing. True when every player function is there.
    bool load(Prompter& prompter, const std::vector<std::filesystem::path>& candidates);
    // Starts the player and hands it the end callback; only after a successful load.
    void startPlayer(IMFEndedCallback ended, void* context);

    bool loaded() const { return m_handle != nullptr; }
    bool complete() const { return m_complete; }
    bool hasRenderer() const;
    const ImfLibFunctions& functions() const { return m_fn; }

    // MusicPlayer: calls do nothing until the player was started.
    bool ready() const override { return m_started; }
    void start(std::span<const uint8_t> imf) override;
    void playAt(std::span<const uint8_t> imf, int32_t tick) override;
    void pause() override;
    void stop() override;
    int32_t position() override;
    void mute(int channel, bool muted) override;
    bool hasAudioDevice() const override {
        return !m_started || !m_fn.hasDevice || m_fn.hasDevice() != 0;
    }

    void release();

private:
    void* m_handle = nullptr;
    ImfLibFunctions m_fn;
    bool m_complete = false;
    bool m_started = false;
};

} // namespace zentrik
