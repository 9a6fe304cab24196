#pragma once

#include <QSpinBox>

namespace zentrik::gui {

// A page's "go to" field: the number of the chunk shown (0 is the first, as export names
// count). Enter, or the focus leaving, asks for the typed number; the page's own moves are
// shown without asking back.
class ChunkNumberField : public QSpinBox {
    Q_OBJECT
public:
    // `noun` names the chunk in the tooltip: "Go to tile number (PageUp/PageDown step)".
    ChunkNumberField(const QString& noun, QWidget* parent);

    // Shows chunk `current` of `count`; the field is greyed when there is nothing to go to.
    void showChunk(int current, int count);

signals:
    void chunkChosen(int index);
};

} // namespace zentrik::gui
