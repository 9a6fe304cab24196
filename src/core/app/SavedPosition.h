#pragma once

namespace zentrik {

// An undo history kept beside the workspace's own (a picture page's per-chunk histories, the
// screens page's steps) that knows whether the set it edits stands away from its last save.
class SavedPosition {
public:
    virtual ~SavedPosition() = default;
    virtual bool awayFromSaved() const = 0;
    // The current state is the saved one.
    virtual void markSaved() = 0;
};

} // namespace zentrik
