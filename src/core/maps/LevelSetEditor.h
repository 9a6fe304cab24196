#pragma once

#include "app/Signal.h"
#include "maps/LevelSet.h"
#include "platform/Prompter.h"

#include <array>
#include <string>

namespace zentrik {

// What the map page shows of the level set: the counter, the name, which commands apply and
// the four feature-flag boxes.
struct LevelPageState {
    std::string counterText; // "Map %u/%u"
    std::string name;
    bool prevEnabled = false;
    bool nextEnabled = false;
    bool gotoEnabled = false;
    bool addEnabled = true;
    bool deleteEnabled = false;
    std::array<bool, 4> flags{}; // star sky, parallax sky, rain, snow
};
LevelPageState levelPageState(const LevelSet& set);

// The operations that change the list of levels and which level is current. They talk to the
// user through the Prompter and tell the views through the callbacks.
class LevelSetEditor {
public:
    LevelSetEditor(LevelSet& set, Prompter& prompter) : m_set(set), m_prompter(prompter) {}

    // Whenever a level is (re)shown; the views fetch levelPageState() and the planes.
    Signal<int> levelShown;
    // On every SetMapsModified, after the flag is stored.
    Signal<bool> mapsModifiedSet;

    bool setCurrentMap(int n);
    void prevLevel();
    void nextLevel();
    bool gotoLevel(const std::string& text); // the number typed in the Goto dialog
    bool addMap();
    bool deleteMap();
    void setMapsModified(bool modified);
    void freeLevels();

    // Off asks first; Cancel keeps every plane 2. Returns the state afterwards.
    bool setThirdPlane(bool on);
    bool thirdPlaneEditing() const { return m_thirdPlaneEditing; }
    void setThirdPlaneEditing(bool on) { m_thirdPlaneEditing = on && m_set.thirdPlane; }

    void setFeatureFlagsEnabled(bool on) { m_set.featureFlags = on; }
    // Sets or clears one bit of word 63 of the current level's plane 0.
    void setFeatureFlag(uint16_t bit, bool on);

    // The plane the map editor draws walls into: plane 2 while the third plane is edited.
    Plane* wallPlane();

    LevelSet& set() { return m_set; }

private:
    void showCurrent();

    LevelSet& m_set;
    Prompter& m_prompter;
    bool m_thirdPlaneEditing = false;
};

} // namespace zentrik
