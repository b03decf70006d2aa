// Dialog units to pixels by the Windows rule, and the fonts that stand in
// for the templates' Windows fonts: the arithmetic every back end that lays
// out a template itself shares.
#include <gtest/gtest.h>

#include "framework/DialogUnits.h"
#include "framework/Resources.h"

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    using framework::mulDiv;
    EXPECT_EQ(mulDiv(230, 11, 4), 633);  // 632.5
    EXPECT_EQ(mulDiv(5, 21, 8), 13);     // 13.125
    EXPECT_EQ(mulDiv(3, 21, 8), 8);      // 7.875
    EXPECT_EQ(mulDiv(-5, 3, 2), -8);     // -7.5
    EXPECT_EQ(mulDiv(14, 96, 72), 19);   // 18.67: Arial 14 points on a 96 dpi screen
}

TEST(DialogUnits, TemplatesScaleByTheirFontsBaseUnits) {
    const framework::PixelRect rect = framework::toPixels({11, 21}, 201, 25, 24, 13);
    EXPECT_EQ(rect.left, 553);  // 552.75
    EXPECT_EQ(rect.top, 66);    // 65.625
    EXPECT_EQ(rect.width, 66);
    EXPECT_EQ(rect.height, 34);  // 34.125
}

TEST(DialogUnits, EveryTemplateFontHasItsLiberationStandIn) {
    const auto fontOf = [](const char* name, short points, short weight) {
        framework::DialogTemplate dialog{};
        dialog.fontName = name;
        dialog.pointSize = points;
        dialog.weight = weight;
        return framework::standInFont(dialog);
    };
    EXPECT_STREQ(fontOf("Arial", 14, 400).family, "Liberation Sans");
    EXPECT_STREQ(fontOf("MS Sans Serif", 10, 400).family, "Liberation Sans");
    EXPECT_STREQ(fontOf("Courier", 15, 400).family, "Liberation Mono");
    EXPECT_STREQ(fontOf("Courier New", 15, 400).family, "Liberation Mono");
    EXPECT_STREQ(fontOf("Times New Roman", 12, 400).family, "Liberation Serif");
    EXPECT_EQ(fontOf("Courier", 15, 400).pixels, 20);
    EXPECT_TRUE(fontOf("Courier", 15, 400).fixedPitch);
    EXPECT_FALSE(fontOf("Arial", 14, 400).fixedPitch);
    EXPECT_TRUE(fontOf("Arial", 14, 700).bold);
    EXPECT_FALSE(fontOf("Arial", 14, 400).bold);
}

}  // namespace
