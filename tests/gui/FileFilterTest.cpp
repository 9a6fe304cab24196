#include "GuiTestSupport.h"
#include "platform/QtFileFilter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zentrik::gui {
namespace {

TEST(QtFileFilter, ConvertsTheProgramsFilterStrings) {
    struct Case {
        const char* program;
        const char* qt;
    };
    const Case cases[] = {
        {"Wolf3D (*.WL6)|*.WL6|All files (*.*)|*.*||", "Wolf3D (*.WL6 *.wl6);;All files (*)"},
        {"Bitmaps|*.bmp;*.BMP||", "Bitmaps (*.bmp *.BMP)"},
        {"Maps (GameMaps.*)|GameMaps.*; Maptemp.*||",
         "Maps (GameMaps.* GAMEMAPS.* gamemaps.* Maptemp.* MAPTEMP.* maptemp.*)"},
        {"Palettes|*.pal", "Palettes (*.pal *.PAL)"}, // no closing "||"
        {"", ""},
        {"|*.wav||", "Files (*.wav *.WAV)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toQtFilter(c.program), QString(c.qt)) << c.program;
}

} // namespace
} // namespace zentrik::gui
