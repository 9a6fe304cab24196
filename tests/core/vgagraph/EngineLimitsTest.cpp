// Pictures larger than the game's screen are named before a save.
#include "vgagraph/EngineLimits.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

TEST(EngineLimits, TheFirstPictureBeyondTheScreenIsNamedWithItsChunk) {
    GraphicsSet set;
    set.firstPictureChunk = 3;
    set.table = {{320, 200}, {64, 64}};
    EXPECT_FALSE(pictureBeyondEngine(set)) << "a full screen fits";
    struct Case {
        PictureSize size;
        const char* expected;
    };
    for (const Case& c : {Case{{324, 8}, "Picture 2 (chunk 5) is 324 x 8"},
                          Case{{8, 201}, "Picture 2 (chunk 5) is 8 x 201"}}) {
        GraphicsSet big = set;
        big.table.push_back(c.size);
        big.table.push_back({400, 400}); // only the first is named
        const auto warning = pictureBeyondEngine(big);
        ASSERT_TRUE(warning);
        EXPECT_EQ(warning->rfind(c.expected, 0), 0u) << *warning;
        EXPECT_NE(warning->find("320 x 200"), std::string::npos);
    }
}

} // namespace
} // namespace zentrik::test
