#pragma once

#include "app/Signal.h"
#include "context/SlotLabels.h"

#include <QFrame>

#include <array>

class QLabel;
class QVBoxLayout;

namespace zentrik::gui {

class AppContext;
class PixelPicture;

// The panel beside the tabs: for each pen its wall, object and floor with picture and name,
// then the map cell under the mouse with the wall and the object there.
class SidePanel : public QFrame {
    Q_OBJECT
public:
    explicit SidePanel(AppContext& context, QWidget* parent = nullptr);

    static QString nothingText() { return QString::fromLatin1(kEmptySlotLabel); }
    static QString cursorText(int x, int y);

    // One pen field changed (kind 1 wall, 2 object, 3 floor, 4 floor/ceiling byte).
    void showPen(bool left, int kind);
    // While the 3D view edits floors and ceilings, each pen's wall field shows its flat byte
    // (a colour or a texture) under the caption "Floor/Ceiling textures"; then walls again.
    void showFlatPens(bool shown, bool colors);
    QLabel* penCaption() const { return m_caption; }
    void showCursor(int x, int y, quint16 object, quint16 wall);
    // Back to the start-up text: the cell shown belonged to another level or set.
    void clearCursor();
    // The palette or the symbols changed: every picture is drawn again.
    void rebuildPictures();

    // Name label of a pen field, or of the cursor's wall (kind 1) and object (kind 2) when
    // `cursor` is set. For tests and for the pages that point at the panel.
    QLabel* nameLabel(bool left, int kind) const;
    QLabel* cursorName(int kind) const;
    QLabel* cursorLine() const { return m_cursorLine; }
    // The picture a pen field shows (null while it says "Nothing").
    const QImage& penPicture(bool left, int kind) const;
    const QImage& cursorPicture(int kind) const;
    int rebuildCount() const { return m_rebuilds; }

private:
    struct Field {
        PixelPicture* picture = nullptr;
        QLabel* name = nullptr;
        bool object = false;
        quint16 value = 0;
        bool set = false; // still "Nothing" until a value was given
    };
    void addField(Field& f, const QString& title, bool object, QVBoxLayout* layout);
    void showField(Field& f, quint16 value);
    void drawPicture(Field& f);
    void showFlat(bool left);
    QImage flatImage(uint8_t value) const;
    bool flatShownIn(const Field& f) const;

    AppContext& m_context;
    std::array<Field, 6> m_pens;   // left wall, object, floor, right wall, object, floor
    std::array<Field, 2> m_cursor; // wall, object under the mouse
    QLabel* m_cursorLine = nullptr;
    QLabel* m_caption = nullptr;
    bool m_flats = false;
    bool m_flatColors = false;
    int m_rebuilds = 0;
    int m_level = -1;
    std::array<Connection, 2> m_watches; // the level shown and map loads
};

} // namespace zentrik::gui
