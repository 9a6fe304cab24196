#include "window/TabLayout.h"

namespace zentrik::gui {

const std::vector<TabEntry>& mainTabs() {
    static const std::vector<TabEntry> tabs{
        {"MapEdit", "CPropMapEdit", {}},
        {"3DEdit", "CProp3DEdit", {}},
        {"Walls", "CPropWalls", {}},
        {"Objects", "CPropObjects", {}},
        {"Floors", "CPropFloors", {}},
        {"Textures", "CProp5Textures", {}},
        {"Sprites", "CProp6Sprites", {}},
        {"VGAGraph",
         "CProp20VGAGraph",
         {{"Graphics", "CProp12Graphics", {}},
          {"Fonts", "CPropPageFont", {}},
          {"Tile 8s", "CProp18Tile8", {}}}},
        {"Audio", "CProp17Audio", {{"Sounds", "CProp13Sounds", {}}, {"Music", "CPPMusic", {}}}},
        {"Screens", "CProp11Screens", {}},
        {"Customize",
         "CPropCustomize",
         {{"Config", "CPropConfig", {}},
          {"Palette", "CProp07Palette", {}},
          {"Symbols", "CProp10Symbols", {}}}},
    };
    return tabs;
}

} // namespace zentrik::gui
