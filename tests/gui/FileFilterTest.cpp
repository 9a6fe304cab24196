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

TEST(QtFileFilter, OffersTheGamesFilesInEitherCase) {
    const QStringList patterns = patternVariants("*.WL6");
    auto matches = [&](const QString& name) {
        for (const QString& p : patterns) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p));
            if (re.match(name).hasMatch())
                return true;
        }
        return false;
    };
    EXPECT_TRUE(matches("GAMEMAPS.WL6"));
    EXPECT_TRUE(matches("gamemaps.wl6"));
    EXPECT_FALSE(matches("GAMEMAPS.SOD"));
    // "All files" takes names without a dot as well.
    EXPECT_EQ(patternVariants("*.*"), QStringList{"*"});
}

} // namespace
} // namespace zentrik::gui
