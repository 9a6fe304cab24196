#pragma once

#include "app/DataSet.h"
#include "vgagraph/VgaModels.h"

#include <QObject>

namespace zentrik::gui {

class AppContext;
class PixelData;

// The graphics archive as the Graphics, Fonts, Tile 8s and Screens pages and the toolbar's
// VGAGRAPH menus share it, one per AppContext (found with of()). The kinds' changed flags of
// the archive model and the window's changed flags are kept in step here, so the close
// question and the title marker see every edit, and a save clears exactly what it wrote.
class VgaData : public QObject {
    Q_OBJECT
public:
    static VgaData& of(AppContext& context);

    VgaGraphState& state() { return m_state; }
    PixelData& pixels() { return m_pixels; }
    AppContext& context() { return m_context; }

    // The set's model flag as the window's flag shows it.
    bool modified(DataSet set) const;
    // An edit of the set: both flags rise and the pages showing it redraw.
    void markModified(DataSet set);
    // After a load or save: the window's flag follows the model's.
    void syncFlag(DataSet set);
    // The set was replaced as a whole (loaded): pages start again, its flags clear.
    void announceReplaced(DataSet set);

    static bool* modelFlag(VgaGraphState& state, DataSet set);
    static bool* loadedFlag(VgaGraphState& state, DataSet set);

signals:
    // Loaded states may have changed (load, save, insert into an empty set).
    void loadStateChanged();

private:
    explicit VgaData(AppContext& context);

    AppContext& m_context;
    PixelData& m_pixels;
    VgaGraphState m_state;
};

} // namespace zentrik::gui
