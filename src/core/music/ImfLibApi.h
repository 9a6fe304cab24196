/* The C interface of the IMF player library (libimflib.so). The editor binds these functions
   by name at run time and works without the library; the library includes this header so the
   two sides cannot drift apart. Plain C so any host can use it. */
#ifndef ZENTRIK_IMFLIB_API_H
#define ZENTRIK_IMFLIB_API_H

#include <stdint.h>

#if defined(IMFLIB_BUILDING) && defined(__GNUC__)
#define IMFLIB_EXPORT __attribute__((visibility("default")))
#else
#define IMFLIB_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define IMFLIB_TICKS_PER_SECOND 700
#define IMFLIB_CHANNELS 9

/* Called once each time a song has played to its end. From the player's own thread: the host
   hands it to its user-interface thread. The player holds no lock while calling it, so the
   callback may start the next song. */
typedef void (*IMFEndedCallback)(void* context);

/* The real-time player: one per process, output through the system's audio device (or, when
   there is none, paced by a clock so position and end still advance). No call blocks for
   longer than a register update. The data given to StartIMFMusic / PlayIMFMusicAt is read
   while the song plays and must stay valid until StopIMFMusic or the next start. */
IMFLIB_EXPORT void InitIMFPlayer(void);
IMFLIB_EXPORT void StartIMFMusic(const uint8_t* data, uint32_t length);
IMFLIB_EXPORT void PlayIMFMusicAt(const uint8_t* data, uint32_t length, int32_t tick);
IMFLIB_EXPORT void PauseIMFMusic(void); /* pauses; a second call resumes */
IMFLIB_EXPORT int32_t GetIMFPosition(void);
IMFLIB_EXPORT void SetIMFEndedEvent(IMFEndedCallback callback, void* context);
IMFLIB_EXPORT void StopIMFMusic(void);
IMFLIB_EXPORT void MuteIMFChannel(int channel,
                                  int mute); /* OPL channel 0..8; non-zero silences it */
IMFLIB_EXPORT void ShutdownIMFPlayer(void);
IMFLIB_EXPORT int IMFPlayerHasAudioDevice(void); /* 1 when sound reaches a device */

/* The offline renderer: the same player driven by the caller, for tests, batch rendering and
   benchmarks. Mono 16-bit samples at the given rate. */
typedef struct IMFRenderer IMFRenderer;
IMFLIB_EXPORT IMFRenderer* CreateIMFRenderer(uint32_t sampleRate);
IMFLIB_EXPORT void DestroyIMFRenderer(IMFRenderer* renderer);
IMFLIB_EXPORT void StartIMFRenderer(IMFRenderer* renderer, const uint8_t* data, uint32_t length,
                                    int32_t tick);
IMFLIB_EXPORT void MuteIMFRendererChannel(IMFRenderer* renderer, int channel, int mute);
IMFLIB_EXPORT void SetIMFRendererEndedEvent(IMFRenderer* renderer, IMFEndedCallback callback,
                                            void* context);
/* Fills `frames` samples; silence once the song has ended or before one was started. */
IMFLIB_EXPORT void RenderIMFSamples(IMFRenderer* renderer, int16_t* samples, uint32_t frames);
IMFLIB_EXPORT int32_t GetIMFRendererPosition(IMFRenderer* renderer);
IMFLIB_EXPORT int IMFRendererPlaying(IMFRenderer* renderer);

#ifdef __cplusplus
}
#endif

#endif
