#pragma once

#include <QWidget>

class QAction;
class QLabel;

namespace zentrik::gui {

// The map page's row that always shows which plane the pens write: the plane's name in large
// letters and a button per plane (the tool bar's own actions, so both stay in step). A switch
// that did not come from this row (a click in a tile list, the 3D page) is flashed, so that it
// is seen before the next stroke.
class EditPlaneBar : public QWidget {
    Q_OBJECT
public:
    // `planes`: the actions of Walls, Floors and Objects; `thirdPlane`: "Edit 3rd Plane".
    EditPlaneBar(const QList<QAction*>& planes, QAction* thirdPlane, QWidget* parent = nullptr);

    // The name shown ("Walls", "Floors", "Objects", "3rd plane").
    QString planeText() const;
    QLabel* planeLabel() const { return m_name; }
    bool isFlashing() const { return m_flashing; }

public slots:
    // Shows the plane in use now; `flash`: the switch came from elsewhere.
    void showPlane(bool flash);

private:
    void setFlash(bool on);

    QList<QAction*> m_planes;
    QAction* m_thirdPlane;
    QLabel* m_name = nullptr;
    bool m_flashing = false;
    int m_flashGeneration = 0;
};

} // namespace zentrik::gui
