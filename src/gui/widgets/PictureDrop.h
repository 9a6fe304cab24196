#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

namespace zentrik::gui {

// The picture file a drag carries: exactly one local PNG or BMP.
std::optional<std::string> droppedPicture(const QMimeData* mime);

// Lets a page take a dropped PNG or BMP: `canTake` says whether there is a chunk to import
// into, `import` imports the file. Other drags go on to the window (Load All).
class PictureDrop : public QObject {
    Q_OBJECT
public:
    PictureDrop(QWidget* page, std::function<bool()> canTake,
                std::function<void(const std::string&)> import);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> m_canTake;
    std::function<void(const std::string&)> m_import;
};

} // namespace zentrik::gui
