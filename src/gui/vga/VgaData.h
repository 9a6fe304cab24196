#pragma once

#include "app/DataSet.h"
#include "app/Signal.h"
#include "vgagraph/VgaModels.h"

#include <QObject>

namespace zentrik::gui {

class AppContext;
class PixelData;

// The graphics archive as the Graphics, Fonts, Tile 8s and Screens pages and the toolbar's
// VGAGRAPH menus share it: the workspace's VgaGraphState, one per AppContext (found with
// of()). The kinds' changed flags of the archive model and the workspace's "modified" states
// are kept in step here (the model's flag follows the workspace's, which follows the pages'
// undo histories), so the close question and the title marker see every edit, undoing back to
// the save clears them, and a save clears exactly what it wrote. The workspace's notifications of
// the four sets go on to the pages through the pixel pages' signals.
class VgaData : public QObject {
    Q_OBJECT
public:
    static VgaData& of(AppContext& context);
    ~VgaData() override;

    VgaGraphState& state();
    PixelData& pixels() { return m_pixels; }
    AppContext& context() { return m_context; }

    // The set's model flag or the workspace's "modified".
    bool modified(DataSet set) const;
    // An edit of the set that no undo history records: both rise until the next save, and
    // the pages showing it redraw.
    void markModified(DataSet set);
    // A page's watched history moved (an edit, undo or redo): the flags follow it.
    void historyMoved(DataSet set);
    // After a save: the workspace's state follows the model's flag.
    void syncFlag(DataSet set);
    // The set was replaced as a whole (loaded): pages start again, it is clean.
    void announceReplaced(DataSet set);

    static bool* modelFlag(VgaGraphState& state, DataSet set);
    static bool* loadedFlag(VgaGraphState& state, DataSet set);
    static bool isVgaSet(DataSet set);

signals:
    // Loaded states may have changed (load, save, insert into an empty set).
    void loadStateChanged();

private:
    explicit VgaData(AppContext& context);

    AppContext& m_context;
    PixelData& m_pixels;
    Connection m_changes;
};

} // namespace zentrik::gui
