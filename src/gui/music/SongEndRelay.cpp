#include "music/SongEndRelay.h"

#include "music/CPPMusic.h"

#include <QMetaObject>

#include <mutex>

namespace zentrik::gui {

namespace {

struct RelayState {
    std::mutex mutex;
    CPPMusic* page = nullptr;
};

RelayState& state() {
    static RelayState s;
    return s;
}

} // namespace

void SongEndRelay::ended(void*) {
    RelayState& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.page)
        return;
    // Which start this end belongs to is decided now, not when the UI thread gets to it: a
    // Stop or a new song in between makes the report stale.
    const uint64_t start = s.page->musicPage().currentStart();
    CPPMusic* page = s.page;
    QMetaObject::invokeMethod(
        page, [page, start] { page->songEnded(start); }, Qt::QueuedConnection);
}

void SongEndRelay::attach(CPPMusic* page) {
    RelayState& s = state();
    std::lock_guard lock(s.mutex);
    s.page = page;
}

void SongEndRelay::detach(CPPMusic* page) {
    RelayState& s = state();
    std::lock_guard lock(s.mutex);
    if (s.page == page)
        s.page = nullptr;
}

} // namespace zentrik::gui
