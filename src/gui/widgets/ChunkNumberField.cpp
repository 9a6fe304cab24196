#include "widgets/ChunkNumberField.h"

#include <QSignalBlocker>

#include <algorithm>

namespace zentrik::gui {

ChunkNumberField::ChunkNumberField(const QString& noun, QWidget* parent) : QSpinBox(parent) {
    setObjectName(QStringLiteral("ChunkNumber"));
    setKeyboardTracking(false);
    setToolTip(QStringLiteral("Go to %1 number (PageUp/PageDown step)").arg(noun));
    connect(this, &QSpinBox::valueChanged, this, &ChunkNumberField::chunkChosen);
}

void ChunkNumberField::showChunk(int current, int count) {
    const QSignalBlocker quiet(this);
    setRange(0, std::max(0, count - 1));
    setValue(current);
    setEnabled(count > 1);
}

} // namespace zentrik::gui
