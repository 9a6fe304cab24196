#include "music/ImfPlayerBinding.h"

#include <dlfcn.h>
#include <system_error>

namespace zentrik {

namespace {

constexpr const char* kProgramTitle = "Zentrik";
constexpr const char* kNewVersionText = "Please download a new version of IMFLib!";

template <class F> void lookUp(void* handle, const char* name, F& fn) {
    fn = reinterpret_cast<F>(dlsym(handle, name));
}

} // namespace

ImfPlayerBinding::~ImfPlayerBinding() {
    release();
}

std::vector<std::filesystem::path> ImfPlayerBinding::defaultCandidates() {
    std::vector<std::filesystem::path> paths;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        paths.push_back(exe.parent_path() / kLibraryFile);
#ifdef ZENTRIK_INSTALL_LIBDIR
        // An installed editor lives in bin/ with the library in the library folder beside it.
        paths.push_back(exe.parent_path() / ".." / ZENTRIK_INSTALL_LIBDIR / kLibraryFile);
#endif
    }
    paths.emplace_back(kLibraryFile); // LD_LIBRARY_PATH and the system folders
    return paths;
}

bool ImfPlayerBinding::load(Prompter& prompter,
                            const std::vector<std::filesystem::path>& candidates) {
    release();
    // Kept in memory after release: the library brings Qt's audio stack with it, which does not
    // survive being unloaded and loaded again in one process.
    for (const auto& path : candidates) {
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (m_handle)
            break;
    }
    if (!m_handle) {
        prompter.message(std::string(kLibraryFile) + " not found!", kProgramTitle);
        return false;
    }
    lookUp(m_handle, "InitIMFPlayer", m_fn.init);
    lookUp(m_handle, "StartIMFMusic", m_fn.start);
    lookUp(m_handle, "PauseIMFMusic", m_fn.pause);
    lookUp(m_handle, "GetIMFPosition", m_fn.position);
    lookUp(m_handle, "SetIMFEndedEvent", m_fn.setEnded);
    lookUp(m_handle, "StopIMFMusic", m_fn.stop);
    lookUp(m_handle, "ShutdownIMFPlayer", m_fn.shutdown);
    lookUp(m_handle, "MuteIMFChannel", m_fn.mute);
    lookUp(m_handle, "PlayIMFMusicAt", m_fn.playAt);
    lookUp(m_handle, "IMFPlayerHasAudioDevice", m_fn.hasDevice);
    lookUp(m_handle, "CreateIMFRenderer", m_fn.createRenderer);
    lookUp(m_handle, "DestroyIMFRenderer", m_fn.destroyRenderer);
    lookUp(m_handle, "StartIMFRenderer", m_fn.startRenderer);
    lookUp(m_handle, "MuteIMFRendererChannel", m_fn.muteRenderer);
    lookUp(m_handle, "RenderIMFSamples", m_fn.render);
    lookUp(m_handle, "GetIMFRendererPosition", m_fn.rendererPosition);
    if (!m_fn.mute)
        prompter.message(kNewVersionText, "MuteIMFChannel not found in IMFLib!",
                         MessageIcon::Exclamation);
    if (!m_fn.playAt)
        prompter.message(kNewVersionText, "PlayIMFMusicAt not found in IMFLib!",
                         MessageIcon::Exclamation);
    m_complete = m_fn.init && m_fn.start && m_fn.pause && m_fn.position && m_fn.setEnded &&
                 m_fn.stop && m_fn.shutdown && m_fn.mute && m_fn.playAt;
    return m_complete;
}

void ImfPlayerBinding::startPlayer(IMFEndedCallback ended, void* context) {
    if (!m_complete || m_started)
        return;
    m_fn.init();
    m_fn.setEnded(ended, context);
    m_started = true;
}

bool ImfPlayerBinding::hasRenderer() const {
    return m_fn.createRenderer && m_fn.destroyRenderer && m_fn.startRenderer && m_fn.muteRenderer &&
           m_fn.render && m_fn.rendererPosition;
}

void ImfPlayerBinding::start(std::span<const uint8_t> imf) {
    if (m_started)
        m_fn.start(imf.data(), uint32_t(imf.size()));
}

void ImfPlayerBinding::playAt(std::span<const uint8_t> imf, int32_t tick) {
    if (m_started)
        m_fn.playAt(imf.data(), uint32_t(imf.size()), tick);
}

void ImfPlayerBinding::pause() {
    if (m_started)
        m_fn.pause();
}

void ImfPlayerBinding::stop() {
    if (m_started)
        m_fn.stop();
}

int32_t ImfPlayerBinding::position() {
    return m_started ? m_fn.position() : 0;
}

void ImfPlayerBinding::mute(int channel, bool muted) {
    if (m_started)
        m_fn.mute(channel, muted ? 1 : 0);
}

void ImfPlayerBinding::release() {
    if (m_started) {
        m_fn.stop();
        m_fn.shutdown();
    }
    m_started = false;
    m_complete = false;
    m_fn = {};
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
}

} // namespace zentrik
