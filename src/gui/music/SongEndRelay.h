#pragma once

#include <cstdint>

namespace zentrik::gui {

class CPPMusic;

// The player reports a song's end on its own audio thread. This relay takes the page's start
// number at that moment and queues the report to the page's (user-interface) thread. It lives
// for the whole process, so a report still running while a page goes away finds no page
// rather than a freed one.
class SongEndRelay {
public:
    // The function handed to the player library; context is unused.
    static void ended(void* context);
    // The page that receives the reports (one at a time); null detaches.
    static void attach(CPPMusic* page);
    static void detach(CPPMusic* page);
};

} // namespace zentrik::gui
