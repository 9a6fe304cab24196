#pragma once

#include "context/Pens.h"

#include <QListWidget>

namespace zentrik::gui {

class AppContext;

// The "Walls", "Objects" and "Floors" tabs: every value of the symbol set's order list with
// its symbol enlarged to 14 x 14 and its name. A left click makes the value the left pen, a
// right click the right pen, and the map page switches to the matching plane. Enter and
// Shift+Enter do the same from the keyboard.
class TileListPage : public QListWidget {
    Q_OBJECT
public:
    TileListPage(AppContext& context, PenKind kind, QWidget* parent = nullptr);

    PenKind kind() const { return m_kind; }
    // Builds the rows again from the current names and symbols.
    void rebuild();
    // What a click on the row does with that mouse button.
    void pick(int row, bool left);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // One notch of the wheel scrolls as many pages as the "MouseWheel scrolls" setting says.
    void wheelEvent(QWheelEvent* event) override;

private:
    const std::vector<int>& order() const;

    AppContext& m_context;
    PenKind m_kind;
    int m_wheelRest = 0;
};

} // namespace zentrik::gui
