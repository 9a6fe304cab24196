// An older player library: everything but MuteIMFChannel and PlayIMFMusicAt.
#include <cstdint>

extern "C" {
void InitIMFPlayer() {}
void StartIMFMusic(const uint8_t*, uint32_t) {}
void PauseIMFMusic() {}
int32_t GetIMFPosition() {
    return 0;
}
void SetIMFEndedEvent(void (*)(void*), void*) {}
void StopIMFMusic() {}
void ShutdownIMFPlayer() {}
}
